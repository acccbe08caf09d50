#include "sim/SimConfig.h"

#include <charconv>
#include <cmath>
#include <filesystem>

namespace kt520::sim {

namespace {

template <typename Number>
bool parseWhole(std::string_view text, Number& value) {
    const auto* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc{} && ptr == end;
}

bool parseDecimal(std::string_view text, double& value) {
    const auto* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    return !text.empty() && ec == std::errc{} && ptr == end;
}

}  // namespace

int SimConfig::romVersion() const {
    double version = 0;
    if (!parseDecimal(firmwareVersion, version)) return 0;
    return static_cast<int>(std::lround(version * 1000.0));
}

double SimConfig::driveRangeMm() const {
    double range = 0;
    if (!parseDecimal(driveRangeText, range)) return 0;
    return (range == 1.0 || range == 2.0) ? range * 25.4 : range;
}

const std::vector<SimOption>& simOptions() {
    static const std::vector<SimOption> options{
        {"speed", "factor", "run every simulated duration this many times faster (default 1)",
         false},
        {"firmware", "version",
         "firmware version text d.ddd (default 1.311; 1.102 gives the "
         "short condition record)",
         false},
        {"drive-range", "mm", "drive range text as reported (default 50; 2 means 50.8 mm)", false},
        {"seed", "number", "seed of the simulated workpiece and noise (default 520)", false},
        {"model", "name", "model name in the identification reply, 5 characters (default KT520)",
         false},
        {"card", "DIR",
         "save every finished measurement into DIR as the instrument saves it to its memory "
         "card (DIR is created when missing)",
         false},
        {"fault", "KIND[:COMMAND][#N][=VALUE]",
         "inject a fault (repeatable); kinds: " + faultKindNames(), true},
    };
    return options;
}

std::string applySimOption(SimConfig& config, std::string_view key, std::string_view value) {
    if (key == "speed") {
        double factor = 0;
        if (!parseDecimal(value, factor) || factor <= 0 || factor > 10000)
            return "the speed factor must be a number above 0 and at most 10000";
        config.speedFactor = factor;
    } else if (key == "firmware") {
        double version = 0;
        if (value.size() != 5 || value[1] != '.' || !parseDecimal(value, version))
            return "the firmware version must be written like 1.311";
        config.firmwareVersion = std::string(value);
    } else if (key == "drive-range") {
        double range = 0;
        if (!parseDecimal(value, range) || range <= 0 || range > 1000)
            return "the drive range must be a number of millimetres above 0";
        config.driveRangeText = std::string(value);
    } else if (key == "seed") {
        std::uint32_t seed = 0;
        if (!parseWhole(value, seed)) return "the seed must be a whole number";
        config.seed = seed;
    } else if (key == "model") {
        if (value.empty() || value.size() > 5) return "the model name must have 1 to 5 characters";
        config.modelName = std::string(value);
    } else if (key == "card") {
        std::error_code error;
        if (value.empty()) return "the card folder must be named";
        std::filesystem::create_directories(std::filesystem::path(value), error);
        if (!std::filesystem::is_directory(std::filesystem::path(value), error))
            return "the card folder \"" + std::string(value) + "\" cannot be made";
        config.cardFolder = std::string(value);
    } else if (key == "fault") {
        FaultRule rule;
        std::string error;
        if (!parseFaultRule(value, rule, error))
            return "fault \"" + std::string(value) + "\": " + error;
        config.faults.rules.push_back(rule);
    } else {
        return "unknown simulator option \"" + std::string(key) + "\"";
    }
    return {};
}

}  // namespace kt520::sim
