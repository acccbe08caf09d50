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

// Any other code leaves every entry empty, even of a catalog filled before.
TEST(MessageCatalog, AnyOtherCodeLeavesEveryEntryEmpty) {
    for (const char* code : {"e", "j", " J", "J ", "", "EJ", "X"}) {
        MessageCatalog catalog = loaded("J");
        catalog.load(code);
        EXPECT_EQ(filledEntries(catalog), 0) << '"' << code << '"';
        EXPECT_EQ(catalog.internalError(), "No.17");
    }
}

// The texts keep their blanks, odd spellings and special characters byte for
// byte: "。" (E3 80 82) ends error 22, Japanese message 9 opens with the
// ideographic space U+3000, error 4 has the half-width katakana ﾃﾞｰﾀ, error 9
// the half-width small e ｪ (U+FF6A), errors 20 and 21 full-width letters.
TEST(MessageCatalog, TextsAreStoredByteForByte) {
    using List = const std::string& (MessageCatalog::*)(int) const;
    constexpr List message = &MessageCatalog::message, error = &MessageCatalog::instrumentError;
    const std::tuple<const char*, List, int, std::string> cases[] = {
        {"E", message, 12, "\xE4\xBA\x88\xE5\x82\x99"},  // 予備 in English too
        {"E", error, 14, "Non Crad"},
        {"E", error, 22, "Communication Softwear Error\xE3\x80\x82"},
        {"J", message, 2, " KT-520が接続されていません！"},
        {"J", message, 9, "\xE3\x80\x80設定条件異常"},
        {"J", error, 4, "該当\xEF\xBE\x83\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBE\x80無し"},
        {"J", error, 9, "ハードウ\xEF\xBD\xAAア異常"},
        {"J", error, 20, "ＤＡＴエラー"},
        {"J", error, 21, "ＣＦ Ｖｅｒｓｉｏｎ ＥＲＲＯＲ"},
    };
    for (const auto& [code, list, n, text] : cases)
        EXPECT_EQ((loaded(code).*list)(n), text) << code << " " << n;
    EXPECT_EQ(loaded("E").internalError(), "Communication Softwear Error\xE3\x80\x82No.17");
    EXPECT_EQ(loaded("J").internalError(), loaded("J").instrumentError(22) + "No.17");
}

}  // namespace
}  // namespace kt520::lang
