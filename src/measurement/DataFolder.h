#pragma once
// The data folder that every result file goes into, and the folders above it
// that are created level by level when missing (docs/headless.md).
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kt520::measurement {

struct DataFolder {
    // Outermost first; the last one is the data folder itself.
    std::vector<std::string> chain;
    // The data folder with its trailing separator, in the system's own
    // spelling (backslashes on Windows), as the file writers join names to it.
    std::string path() const;
};

// The per-machine folder of this platform, from this process's environment:
// on Windows the one under programDataFolder(), elsewhere chooseDataFolder
// between /var/lib and userDataHome().
DataFolder defaultDataFolder();
// A folder named on the command line; missing parents are created with it.
DataFolder dataFolderAt(const std::string& folder);

// The chain base, base/Korvane Profilux, base/Korvane Profilux/KT-520.
DataFolder dataFolderUnder(const std::filesystem::path& base);
// The folder under machineBase when this user may write into its deepest
// level that exists (so that it or its missing levels can be made), else the
// one under userBase; the machine's when there is no userBase.
DataFolder chooseDataFolder(const std::filesystem::path& machineBase,
                            const std::filesystem::path& userBase,
                            const std::function<bool(const std::filesystem::path&)>& mayWrite);
// Windows's folder for every user's program data: %ProgramData%, or
// C:\ProgramData where it is not set. The argument may be null.
[[nodiscard]] std::string programDataFolder(const char* programData);
// The user's own data folder: XDG_DATA_HOME when it is an absolute path, else
// HOME/.local/share; empty without either. Arguments may be null.
[[nodiscard]] std::string userDataHome(const char* xdgDataHome, const char* home);

// Creates each missing level of the chain in order; existing ones are left alone.
void createMissingFolders(const DataFolder& folder);

}  // namespace kt520::measurement
