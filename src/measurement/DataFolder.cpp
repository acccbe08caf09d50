#include "measurement/DataFolder.h"

#include <cstdlib>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kt520::measurement {
namespace {

constexpr const char* kMaker = "Korvane Profilux";
constexpr const char* kProduct = "KT-520";

}  // namespace

std::string DataFolder::path() const {
    std::filesystem::path folder = std::filesystem::path(chain.back()).lexically_normal();
    if (folder.has_filename()) folder /= "";
    return folder.make_preferred().string();
}

DataFolder dataFolderUnder(const std::filesystem::path& base) {
    const std::filesystem::path maker = base / kMaker;
    return {{base.string(), maker.string(), (maker / kProduct).string()}};
}

DataFolder chooseDataFolder(const std::filesystem::path& machineBase,
                            const std::filesystem::path& userBase,
                            const std::function<bool(const std::filesystem::path&)>& mayWrite) {
    DataFolder machine = dataFolderUnder(machineBase);
    if (userBase.empty()) return machine;
    std::error_code error;
    for (auto level = machine.chain.rbegin(); level != machine.chain.rend(); ++level) {
        if (std::filesystem::exists(*level, error))
            return mayWrite(*level) ? machine : dataFolderUnder(userBase);
    }
    return dataFolderUnder(userBase);
}

std::string programDataFolder(const char* programData) {
    return programData != nullptr && programData[0] != '\0' ? programData : "C:\\ProgramData";
}

std::string userDataHome(const char* xdgDataHome, const char* home) {
    // Relative values are to be ignored, as the base directory rules say.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return xdgDataHome;
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.local/share";
    return {};
}

DataFolder defaultDataFolder() {
#ifdef _WIN32
    return dataFolderUnder(programDataFolder(std::getenv("ProgramData")));
#else
    // Per machine when this user may write there (an installed system or
    // root), otherwise the user's own data folder, so that the program always
    // starts.
    return chooseDataFolder(
        "/var/lib", userDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
        [](const std::filesystem::path& level) { return ::access(level.c_str(), W_OK) == 0; });
#endif
}

DataFolder dataFolderAt(const std::string& folder) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(folder, error).lexically_normal();
    if (!absolute.has_filename() && absolute.has_relative_path()) absolute = absolute.parent_path();
    return {{absolute.string()}};
}

void createMissingFolders(const DataFolder& folder) {
    for (const std::string& level : folder.chain) {
        std::error_code error;
        if (!std::filesystem::exists(level, error))
            std::filesystem::create_directories(level, error);
    }
}

}  // namespace kt520::measurement
