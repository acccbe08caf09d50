// Which language file a start reads: --language, the user's own file, the
// program folder's.
#include <gtest/gtest.h>

#include <set>

#include "lang/LanguageFileLocation.h"

namespace kt520::lang {
namespace {

TEST(LanguageFileLocation, LanguageOptionThenTheUsersFileThenTheProgramFolder) {
    const std::string userFile = "/home/op/.config/kt520/520Language.ini";
    struct Case {
        const char* what;
        LanguageChoice choice;
        bool programFolderGiven;
        std::string configHome;
        std::set<std::string> existing;
        std::string folder;
    };
    const Case cases[] = {
        {"nothing of the user's", LanguageChoice::Usual, false, "/home/op/.config", {}, "/opt/kt"},
        {"the user's file",
         LanguageChoice::Usual,
         false,
         "/home/op/.config",
         {userFile},
         "/home/op/.config/kt520"},
        {"no configuration folder", LanguageChoice::Usual, false, "", {userFile}, "/opt/kt"},
        {"--program-folder beats the user's file",
         LanguageChoice::Usual,
         true,
         "/home/op/.config",
         {userFile},
         "/opt/kt"},
        {"--language ja beats the user's file",
         LanguageChoice::Japanese,
         false,
         "/home/op/.config",
         {userFile},
         "/opt/kt/lang/ja"},
        {"--language en",
         LanguageChoice::English,
         false,
         "/home/op/.config",
         {},
         "/opt/kt/lang/en"},
        {"--language within --program-folder",
         LanguageChoice::Japanese,
         true,
         "",
         {},
         "/opt/kt/lang/ja"},
    };
    for (const Case& c : cases) {
        const auto exists = [&c](const std::string& path) { return c.existing.count(path) > 0; };
        EXPECT_EQ(
            languageFileFolder({"/opt/kt", c.programFolderGiven, c.choice, c.configHome}, exists),
            c.folder)
            << c.what;
    }
}

TEST(LanguageFileLocation, ConfigurationFolderAndLanguageCodes) {
    EXPECT_EQ(userConfigHome("/xdg", "/home/op"), "/xdg");
    EXPECT_EQ(userConfigHome("relative/xdg", "/home/op"), "/home/op/.config");
    EXPECT_EQ(userConfigHome("", "/home/op"), "/home/op/.config");
    EXPECT_EQ(userConfigHome(nullptr, nullptr), "");
    EXPECT_EQ(userConfigHome(nullptr, ""), "");

    EXPECT_EQ(parseLanguageChoice("en"), LanguageChoice::English);
    EXPECT_EQ(parseLanguageChoice("ja"), LanguageChoice::Japanese);
    for (const char* bad : {"", "EN", "jp", "de", "en "}) EXPECT_FALSE(parseLanguageChoice(bad));
}

}  // namespace
}  // namespace kt520::lang
