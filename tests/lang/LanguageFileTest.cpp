#include "lang/LanguageFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "support/TemporaryFolder.h"

namespace kt520::lang {
namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kSourceDir = KT520_SOURCE_DIR;

// A value is everything after the key and its colon, the last line of a key
// wins, every kind of line ending is stripped, a UTF-8 byte order mark is
// dropped and Shift-JIS is decoded; the language code is the value of X.
TEST(LanguageFile, ReadsEachKeysValue) {
    const char* const lastWins = "X:E\nW:first\nX:J\nW:second\n";
    const char* const endings = "A:crlf\r\nB:cr\rC:lf\nD:last";
    const char* const bom = "\xEF\xBB\xBFX:J\r\nW:傾斜補正\r\n";
    // 傾斜補正 in Shift-JIS, and the half-width katakana ｱ (one byte, B1).
    const char* const shiftJis = "W:\x8C\x58\x8E\xCE\x95\xE2\x90\xB3\r\nU:\xB1\r\n";
    const struct {
        const char* file;
        char key;
        const char* value;  // nullptr: the key is not set
    } cases[] = {
        // clang-format off
        {"X:J\n", 'X', "J"}, {"X:E", 'X', "E"}, {"X: J\n", 'X', " J"}, {"X:J \n", 'X', "J "},
        {"x:J\n", 'X', nullptr}, {"A:\n", 'A', ""}, {"B:  spaced  \n", 'B', "  spaced  "},
        {"Y:Title: Ver 1:2 \n", 'Y', "Title: Ver 1:2 "}, {lastWins, 'W', "second"},
        {lastWins, 'X', "J"}, {endings, 'A', "crlf"}, {endings, 'B', "cr"}, {endings, 'C', "lf"},
        {endings, 'D', "last"}, {bom, 'X', "J"}, {bom, 'W', "傾斜補正"},
        {shiftJis, 'W', "傾斜補正"}, {shiftJis, 'U', "ｱ"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const LanguageFile file = parseLanguageFile(c.file);
        SCOPED_TRACE(std::string(c.file) + " " + c.key);
        ASSERT_EQ(file.values.contains(c.key), c.value != nullptr);
        if (c.value) {
            EXPECT_EQ(file.values.at(c.key), c.value);
        }
        EXPECT_EQ(file.languageCode, file.values.contains('X') ? file.values.at('X') : "");
    }
    EXPECT_EQ(parseLanguageFile(bom).encoding, TextEncoding::Utf8);
    EXPECT_EQ(parseLanguageFile(shiftJis).encoding, TextEncoding::ShiftJis);
    // A blank line between CR LF pairs stays a blank line, not a key.
    EXPECT_EQ(parseLanguageFile("A:x\r\n\r\nB:y\r\n").values.size(), 2u);
}

TEST(LanguageFile, IgnoresUnknownAndShortLines) {
    const LanguageFile file =
        parseLanguageFile("Z:zed\nA\n\n:A\na:lower\nAB:no\n A:indented\n[Section]\nC:kept\n");
    EXPECT_TRUE(file.found);
    ASSERT_EQ(file.values.size(), 1u);
    EXPECT_EQ(file.values.at('C'), "kept");
}

TEST(LanguageFile, BadShiftJisBytesSpoilOnlyTheirOwnCharacters) {
    // A byte that is no Shift-JIS (A0), then a lead byte cut off by the end.
    const LanguageFile file = parseLanguageFile("A:x\xA0y\nX:J\nW:\x8C");
    EXPECT_EQ(file.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(file.languageCode, "J");
    const std::string& value = file.values.at('A');
    ASSERT_GE(value.size(), 3u);
    EXPECT_EQ(value.front(), 'x');
    EXPECT_EQ(value.back(), 'y');
    EXPECT_EQ(file.values.count('W'), 1u);
}

TEST(LanguageFile, ShippedFilesSetEveryKeyAndTheShiftJisCopyReadsTheSame) {
    const LanguageFile english = readLanguageFile(kSourceDir + "/data/520Language.ini");
    const LanguageFile japanese = readLanguageFile(kSourceDir + "/data/520Language.ja.ini");
    const LanguageFile shiftJis =
        readLanguageFile(kSourceDir + "/tests/lang/data/520Language.sjis.ini");
    ASSERT_EQ(english.values.size(), kCaptionKeys.size());
    ASSERT_EQ(japanese.values.size(), kCaptionKeys.size());
    EXPECT_EQ(english.languageCode, "E");
    EXPECT_EQ(japanese.languageCode, "J");
    EXPECT_EQ(japanese.encoding, TextEncoding::Utf8);
    EXPECT_EQ(shiftJis.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(shiftJis.values, japanese.values);
    EXPECT_EQ(shiftJis.languageCode, "J");
    EXPECT_EQ(english.values.at('Y'), "ProfiLux KT-520 SerialCommunication Ver");
    // The English file holds the layout captions of the window.
    for (const CaptionKey& key : kCaptionKeys) {
        if (key.target == CaptionTarget::MainWindowTitle) continue;
        EXPECT_EQ(english.values.at(key.key), key.layoutCaption) << key.key;
    }
}

TEST(LanguageFile, BuildTreeHoldsBothFilesWhereTheProgramLooks) {
    const std::string bin = KT520_BINARY_DIR "/bin";
    EXPECT_EQ(fileBytes(bin + "/520Language.ini"), fileBytes(kSourceDir + "/data/520Language.ini"));
    EXPECT_EQ(fileBytes(bin + "/lang/ja/520Language.ini"),
              fileBytes(kSourceDir + "/data/520Language.ja.ini"));
}

// A missing file or a folder of its name is not found; an empty one is, and sets nothing.
TEST(LanguageFile, MissingOrUnreadableFileIsNotFoundAnEmptyOneIs) {
    const testing::TemporaryFolder folder;
    const std::string path = (folder.path() / "520Language.ini").string();
    const LanguageFile missing = readLanguageFile(path);
    EXPECT_FALSE(missing.found);
    EXPECT_TRUE(missing.values.empty());
    EXPECT_EQ(missing.languageCode, "");
    std::ofstream{path};
    const LanguageFile empty = readLanguageFile(path);
    EXPECT_TRUE(empty.found);
    EXPECT_TRUE(empty.values.empty());
    std::filesystem::remove(path);
    ASSERT_TRUE(std::filesystem::create_directory(path));
    EXPECT_FALSE(readLanguageFile(path).found);
}

TEST(CaptionKeys, CoverEveryLetterAToYWithTheRightTargets) {
    std::set<char> letters;
    for (const CaptionKey& key : kCaptionKeys) letters.insert(key.key);
    EXPECT_EQ(letters.size(), 25u);
    EXPECT_EQ(*letters.begin(), 'A');
    EXPECT_EQ(*letters.rbegin(), 'Y');

    const auto is = [](char letter, CaptionTarget target, int index) {
        const CaptionKey* key = findCaptionKey(letter);
        return key != nullptr && key->target == target && key->index == index;
    };
    EXPECT_TRUE(is('A', CaptionTarget::SectionLabel, 1));
    EXPECT_TRUE(is('C', CaptionTarget::SectionLabel, 3));
    EXPECT_TRUE(is('D', CaptionTarget::GroupFrame, 1));
    EXPECT_TRUE(is('T', CaptionTarget::GroupFrame, 17));
    EXPECT_TRUE(is('U', CaptionTarget::CardReadButton, 0));
    EXPECT_TRUE(is('V', CaptionTarget::CardCancelButton, 0));
    EXPECT_TRUE(is('W', CaptionTarget::TiltCheckBox, 0));
    EXPECT_TRUE(is('X', CaptionTarget::LanguageCode, 0));
    EXPECT_TRUE(is('Y', CaptionTarget::MainWindowTitle, 0));
    EXPECT_EQ(findCaptionKey('Z'), nullptr);
    EXPECT_EQ(findCaptionKey('a'), nullptr);
    EXPECT_EQ(findCaptionKey('S')->layoutCaption, "Lf/fl");
}

}  // namespace
}  // namespace kt520::lang
