// kt520-analyse: re-evaluates stored profiles without an instrument and
// prints their parameters, one JSON object per file or one CSV table.
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ParameterText.h"
#include "analysis/ProfileFiles.h"
#include "analysis/RunAnalysis.h"

namespace fs = std::filesystem;
using namespace kt520::analysis;

namespace {

constexpr const char* kUsage =
    "usage: kt520-analyse [options] FILE|FOLDER...\n"
    "  --spacing UM        point spacing in micrometres (text files; SDF and SMD carry their own)\n"
    "  --cutoff MM         cut-off and sampling length (default 0.8)\n"
    "  --lambda-s UM       short-wave cut-off (default: none)\n"
    "  --filter gaussian|2rc|pc75   (default gaussian)\n"
    "  --input primary|roughness    a primary profile is filtered first (default primary)\n"
    "  --sections N        sampling lengths in the evaluation length (default 5)\n"
    "  --format json|csv   one JSON object per file, or one CSV table (default json)\n";

struct Options {
    RunConditions conditions;
    std::optional<double> spacingUm;
    StoredInput input = StoredInput::Primary;
    bool csv = false;
    std::vector<fs::path> paths;
};

std::optional<double> positive(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !(value > 0)) return std::nullopt;
    return value;
}

// The options, or a message saying what is wrong with them.
std::optional<Options> parse(int argc, char** argv, std::string& error) {
    Options o;
    o.conditions.profile = ProfileKind::Roughness;
    o.conditions.filter = FilterKind::Gaussian;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!arg.starts_with("--")) {
            o.paths.emplace_back(arg);
            continue;
        }
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return std::nullopt;
        }
        const std::string_view value = argv[++i];
        const std::optional<double> number = positive(value);
        const auto bad = [&] {
            error = "bad value \"" + std::string(value) + "\" for " + std::string(arg);
            return std::nullopt;
        };
        if (arg == "--spacing") {
            if (!number) return bad();
            o.spacingUm = number;
        } else if (arg == "--cutoff") {
            if (!number) return bad();
            o.conditions.cutOffMm = *number;
        } else if (arg == "--lambda-s") {
            if (!number) return bad();
            o.conditions.lambdaSUm = *number;
        } else if (arg == "--sections") {
            if (!number || *number != static_cast<int>(*number) || *number > 1000) return bad();
            o.conditions.sections = static_cast<int>(*number);
        } else if (arg == "--filter") {
            if (value == "gaussian") {
                o.conditions.filter = FilterKind::Gaussian;
            } else if (value == "2rc") {
                o.conditions.filter = FilterKind::TwoRC;
            } else if (value == "pc75") {
                o.conditions.filter = FilterKind::PhaseCorrected2RC;
            } else {
                return bad();
            }
        } else if (arg == "--input") {
            if (value != "primary" && value != "roughness") return bad();
            o.input = value == "primary" ? StoredInput::Primary : StoredInput::Roughness;
        } else if (arg == "--format") {
            if (value != "json" && value != "csv") return bad();
            o.csv = value == "csv";
        } else {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
    }
    if (o.paths.empty()) error = "no profile given";
    return error.empty() ? std::optional<Options>(o) : std::nullopt;
}

// The files named, a folder standing for the files in it (by name).
std::vector<fs::path> profileFiles(const std::vector<fs::path>& paths) {
    std::vector<fs::path> files;
    for (const fs::path& path : paths) {
        std::error_code ec;
        if (!fs::is_directory(path, ec)) {
            files.push_back(path);
            continue;
        }
        std::vector<fs::path> inside;
        for (const auto& entry : fs::directory_iterator(path, ec))
            if (entry.is_regular_file(ec)) inside.push_back(entry.path());
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

std::optional<std::string> contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Analyses one file; the message on failure names the file and the line.
StoredAnalysis analyseFile(const fs::path& path, const Options& o, double& spacingUm) {
    const std::string name = path.string();
    const std::optional<std::string> content = contentOf(path);
    if (!content) return {{}, {}, name + ": cannot be read"};
    const ProfileRead read = readProfile(*content, formatOfFileName(path.filename().string()));
    if (!read.ok()) {
        const std::string at = read.errorLine ? ":" + std::to_string(read.errorLine) : "";
        return {{}, {}, name + at + ": " + read.error};
    }
    if (!read.spacingUm && !o.spacingUm) return {{}, {}, name + ": needs --spacing"};
    RunConditions conditions = o.conditions;
    conditions.pitchUm = spacingUm = read.spacingUm ? *read.spacingUm : *o.spacingUm;
    StoredAnalysis analysis = analyseStoredProfile(read.heightsUm, conditions, o.input);
    if (!analysis.error.empty()) analysis.error = name + ": " + analysis.error;
    return analysis;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<Options> options = parse(argc, argv, error);
    if (!options) {
        std::cerr << "kt520-analyse: " << error << '\n' << kUsage;
        return 2;
    }
    int status = 0;
    if (options->csv) std::cout << "file,name,value,unit,standard\r\n";
    for (const fs::path& path : profileFiles(options->paths)) {
        double spacingUm = 0;
        const StoredAnalysis analysis = analyseFile(path, *options, spacingUm);
        if (!analysis.error.empty()) {
            std::cerr << "kt520-analyse: " << analysis.error << '\n';
            status = 1;
            continue;
        }
        const std::string file = path.string();
        if (options->csv) {
            for (const Parameter& p : analysis.parameters) {
                std::cout << csvRow({file, p.name, decimalText(p.value), p.unit, p.standard})
                          << "\r\n";
            }
            continue;
        }
        std::cout << "{\"file\":" << jsonString(file)
                  << ",\"points\":" << analysis.evaluation.size()
                  << ",\"spacing_um\":" << decimalText(spacingUm)
                  << ",\"parameters\":" << jsonParameters(analysis.parameters) << "}\n";
    }
    return status;
}
