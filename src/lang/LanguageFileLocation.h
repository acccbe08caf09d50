#pragma once
// Which "520Language.ini" the program reads. The program folder holds the
// machine's file and, under lang/en and lang/ja, the two shipped ones; a
// user's own file in their configuration folder goes before the machine's,
// so an operator picks a language without root and no upgrade undoes it.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kt520::lang {

// --language: one of the shipped files for this start, or the usual search.
enum class LanguageChoice { Usual, English, Japanese };

// "en" or "ja"; nothing for any other text.
[[nodiscard]] std::optional<LanguageChoice> parseLanguageChoice(std::string_view code);

struct LanguageFileSearch {
    std::string programFolder;        // the executable's folder, or --program-folder
    bool programFolderGiven = false;  // --program-folder: its file, not the user's
    LanguageChoice choice = LanguageChoice::Usual;
    std::string configHome;  // the user's configuration folder; empty when unknown
};

// The folder whose "520Language.ini" is read: the shipped file --language
// names; else the user's own (configHome/kt520) when it exists and no
// --program-folder was given; else the program folder's.
[[nodiscard]] std::string languageFileFolder(
    const LanguageFileSearch& search, const std::function<bool(const std::string&)>& fileExists);

// The user's configuration folder: XDG_CONFIG_HOME when it is an absolute
// path, else HOME/.config; empty without either. Arguments may be null.
[[nodiscard]] std::string userConfigHome(const char* xdgConfigHome, const char* home);

// languageFileFolder with this process's environment and file system.
[[nodiscard]] std::string languageFileFolder(std::string programFolder, bool programFolderGiven,
                                             LanguageChoice choice);

}  // namespace kt520::lang
