#pragma once
// The data folder that every result file goes into, the folders above it that
// are created level by level when missing, and its settings file "Folder.INI".
#include <string>
#include <vector>

namespace kt520::app {

struct DataFolder {
    // Outermost first; the last one is the data folder itself.
    std::vector<std::string> chain;
    // The data folder with its trailing separator, as the file writers join names to it.
    std::string path() const;
};

// The per-machine folder of this platform (see docs/headless.md).
DataFolder defaultDataFolder();
// A folder named on the command line; missing parents are created with it.
DataFolder dataFolderAt(const std::string& folder);

// Creates each missing level of the chain in order; existing ones are left alone.
void createMissingFolders(const DataFolder& folder);

inline constexpr const char* kFolderIniName = "Folder.INI";
// The line a new "Folder.INI" holds: the card browser starts on drive C.
inline constexpr const char* kFolderIniFirstLine = "C\\:";

// Creates "Folder.INI" with its first line when it does not exist; an existing file is never
// touched.
void createFolderIniIfMissing(const std::string& dataFolderPath);
// The line of "Folder.INI", or an empty text when it cannot be read.
std::string readFolderIni(const std::string& dataFolderPath);
// Rewrites "Folder.INI" whole with one line.
bool writeFolderIni(const std::string& dataFolderPath, const std::string& line);

}  // namespace kt520::app
