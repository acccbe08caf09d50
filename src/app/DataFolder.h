#pragma once
// The data folder's settings file "Folder.INI". Which folder is the data
// folder the core decides (measurement/DataFolder.h).
#include <string>

#include "measurement/DataFolder.h"

namespace kt520::app {

using measurement::createMissingFolders;
using measurement::DataFolder;
using measurement::dataFolderAt;
using measurement::defaultDataFolder;

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
