#include "lang/MessageCatalog.h"

#include <gtest/gtest.h>

#include <string>

namespace kt520::lang {
namespace {

MessageCatalog loaded(const std::string& code) {
    MessageCatalog catalog;
    catalog.load(code);
    return catalog;
}

// Every entry of every list, so that a list can be checked as a whole.
template <typename Visit>
void forEachEntry(const MessageCatalog& catalog, Visit visit) {
    for (int n = 0; n <= 3; ++n) visit(catalog.boxTitle(n));
    for (int n = 0; n <= 16; ++n) visit(catalog.message(n));
    for (int n = 0; n <= 23; ++n) visit(catalog.instrumentError(n));
    for (int n = 0; n <= 9; ++n) visit(catalog.statusText(n));
}

int filledEntries(const MessageCatalog& catalog) {
    int filled = 0;
    forEachEntry(catalog, [&](const std::string& text) { filled += text.empty() ? 0 : 1; });
    return filled;
}

TEST(MessageCatalog, EnglishAndJapaneseFillEveryNumberedEntryAndNothingElse) {
    for (const char* code : {"E", "J"}) {
        const MessageCatalog catalog = loaded(code);
        EXPECT_EQ(filledEntries(catalog), 2 + 15 + 22 + 8) << code;
        EXPECT_EQ(catalog.boxTitle(0), "") << code;
        EXPECT_EQ(catalog.message(16), "") << code;
        EXPECT_EQ(catalog.instrumentError(-1), "") << code;
        EXPECT_EQ(catalog.statusText(9), "") << code;
    }
}

TEST(MessageCatalog, AnyOtherCodeLeavesEveryEntryEmpty) {
    for (const char* code : {"e", "j", " J", "J ", "", "EJ", "X"}) {
        EXPECT_EQ(filledEntries(loaded(code)), 0) << '"' << code << '"';
    }
}

TEST(MessageCatalog, LoadingAnUnknownCodeEmptiesAFilledCatalog) {
    MessageCatalog catalog;
    catalog.load("J");
    catalog.load("e");
    EXPECT_EQ(filledEntries(catalog), 0);
    EXPECT_EQ(catalog.internalError(), "No.17");
}

TEST(MessageCatalog, EnglishTextsKeepTheirBlanksAndSpellings) {
    const MessageCatalog catalog = loaded("E");
    EXPECT_EQ(catalog.boxTitle(1), "Warning");
    EXPECT_EQ(catalog.boxTitle(2), "Information");
    EXPECT_EQ(catalog.message(1), "COM1: Cannot be connected to KT-520! ");
    EXPECT_EQ(catalog.message(2), ": Cannot be connected to KT-520! ");
    EXPECT_EQ(catalog.message(14), "After origin move, please click a start button again.");
    EXPECT_EQ(catalog.instrumentError(1), "Command Error");
    EXPECT_EQ(catalog.instrumentError(14), "Non Crad");
    EXPECT_EQ(catalog.statusText(1), "Measured Profile Data. ");
    EXPECT_EQ(catalog.statusText(8), "Evaluation Profile Data.");
}

TEST(MessageCatalog, InternalErrorEndsInTheJapaneseFullStopBeforeNo17) {
    const MessageCatalog english = loaded("E");
    // "。" is E3 80 82 in UTF-8.
    EXPECT_EQ(english.instrumentError(22), "Communication Softwear Error\xE3\x80\x82");
    EXPECT_EQ(english.internalError(), "Communication Softwear Error\xE3\x80\x82No.17");
    EXPECT_EQ(loaded("J").internalError(), loaded("J").instrumentError(22) + "No.17");
}

TEST(MessageCatalog, Message12IsTheSameInBothLanguages) {
    EXPECT_EQ(loaded("E").message(12), "\xE4\xBA\x88\xE5\x82\x99");  // 予備
    EXPECT_EQ(loaded("J").message(12), loaded("E").message(12));
}

TEST(MessageCatalog, JapaneseSpecialCharactersAreStoredByteForByte) {
    const MessageCatalog catalog = loaded("J");
    // Message 9 opens with the ideographic space U+3000.
    EXPECT_EQ(catalog.message(9).substr(0, 3), "\xE3\x80\x80");
    EXPECT_EQ(catalog.message(9), "\xE3\x80\x80設定条件異常");
    // Message 11 ends in the ASCII full stop.
    EXPECT_EQ(catalog.message(11), "KT210のデータです.");
    // Message 2 opens with an ASCII blank.
    EXPECT_EQ(catalog.message(2), " KT-520が接続されていません！");
    // Error 4 uses half-width katakana ﾃ ﾞ ｰ ﾀ (U+FF83 U+FF9E U+FF70 U+FF80).
    EXPECT_EQ(catalog.instrumentError(4),
              "該当\xEF\xBE\x83\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBE\x80無し");
    // Error 9 has the half-width small e ｪ (U+FF6A) after the full-width ウ.
    EXPECT_EQ(catalog.instrumentError(9),
              "ハードウ\xEF\xBD\xAA"
              "ア異常");
    // Errors 20 and 21 are full-width Latin letters.
    EXPECT_EQ(catalog.instrumentError(20), "ＤＡＴエラー");
    EXPECT_EQ(catalog.instrumentError(21), "ＣＦ Ｖｅｒｓｉｏｎ ＥＲＲＯＲ");
    EXPECT_EQ(catalog.boxTitle(1), "注意");
    EXPECT_EQ(catalog.statusText(6), "評価曲線データ取得までしばらくお待ち下さい。");
}

}  // namespace
}  // namespace kt520::lang
