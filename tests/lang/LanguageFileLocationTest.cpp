// Which language file a start reads: --language, the user's own file, the
// program folder's.
#include <gtest/gtest.h>

#include "lang/LanguageFileLocation.h"

namespace kt520::lang {
namespace {

TEST(LanguageFileLocation, LanguageOptionThenTheUsersFileThenTheProgramFolder) {
    using enum LanguageChoice;
    const std::string home = "/home/op/.config", user = home + "/kt520";
    const struct {
        const char* what;
        LanguageChoice choice;
        bool programFolderGiven;
        std::string configHome;
        bool userFileExists;
        std::string folder;
    } cases[] = {
        {"nothing of the user's", Usual, false, home, false, "/opt/kt"},
        {"the user's file", Usual, false, home, true, user},
        {"no configuration folder", Usual, false, "", true, "/opt/kt"},
        {"--program-folder beats the user's file", Usual, true, home, true, "/opt/kt"},
        {"--language ja beats the user's file", Japanese, false, home, true, "/opt/kt/lang/ja"},
        {"--language en", English, false, home, false, "/opt/kt/lang/en"},
        {"--language within --program-folder", Japanese, true, "", false, "/opt/kt/lang/ja"},
    };
    for (const auto& c : cases) {
        const auto exists = [&](const std::string& path) {
            return c.userFileExists && path == user + "/520Language.ini";
        };
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
