#pragma once
// How the simulated instrument is set up, and the option texts that set it:
// the program forwards its --sim-KEY options here and kt520-sim its --KEY
// options, so both take the same keys and values.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Faults.h"

namespace kt520::sim {

struct SimConfig {
    std::string modelName = "KT520";  // five characters in the identification reply
    std::string firmwareVersion = "1.311";
    std::string driveRangeText = "50";  // as the instrument reports it; "1" and "2" mean inches
    std::uint32_t seed = 520;
    double speedFactor = 1.0;  // 20 makes every simulated duration 20 times shorter
    std::string cardFolder;    // every finished measurement is also saved here, as to a card
    Faults faults;

    int romVersion() const;  // the firmware version x 1000
    double driveRangeMm() const;
};

struct SimOption {
    std::string_view key;  // "speed": --sim-speed in the program, --speed in kt520-sim
    std::string_view valueName;
    std::string description;
    bool repeatable;
};

const std::vector<SimOption>& simOptions();

// Applies one option, for example ("speed", "20") or ("fault", "ng:WRSTD=05").
// Returns an empty text on success, else what is wrong, for the user.
std::string applySimOption(SimConfig& config, std::string_view key, std::string_view value);

}  // namespace kt520::sim
