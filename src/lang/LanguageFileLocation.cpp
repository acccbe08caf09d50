#include "lang/LanguageFileLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "lang/LanguageFile.h"

namespace kt520::lang {

std::optional<LanguageChoice> parseLanguageChoice(std::string_view code) {
    if (code == "en") return LanguageChoice::English;
    if (code == "ja") return LanguageChoice::Japanese;
    return std::nullopt;
}

std::string languageFileFolder(const LanguageFileSearch& search,
                               const std::function<bool(const std::string&)>& fileExists) {
    switch (search.choice) {
        case LanguageChoice::English:
            return search.programFolder + "/lang/en";
        case LanguageChoice::Japanese:
            return search.programFolder + "/lang/ja";
        case LanguageChoice::Usual:
            break;
    }
    if (!search.programFolderGiven && !search.configHome.empty()) {
        const std::string user = search.configHome + "/kt520";
        if (fileExists(user + "/" + std::string(kLanguageFileName))) return user;
    }
    return search.programFolder;
}

std::string userConfigHome(const char* xdgConfigHome, const char* home) {
    // Relative values are to be ignored, as the base directory rules say.
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') return xdgConfigHome;
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config";
    return {};
}

std::string languageFileFolder(std::string programFolder, bool programFolderGiven,
                               LanguageChoice choice) {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    std::string configHome = appData != nullptr ? appData : "";
#else
    std::string configHome = userConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
#endif
    return languageFileFolder(
        {std::move(programFolder), programFolderGiven, choice, std::move(configHome)},
        [](const std::string& path) {
            std::error_code error;
            return std::filesystem::is_regular_file(path, error);
        });
}

}  // namespace kt520::lang
