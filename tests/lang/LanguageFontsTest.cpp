#include "lang/LanguageFonts.h"

#include <gtest/gtest.h>

namespace kt520::lang {
namespace {

TEST(LanguageFonts, PrefersTheJapaneseFaceThenTheFallbacksInOrder) {
    EXPECT_EQ(japaneseFace({"DejaVu Sans", "ＭＳゴシック", "MS Gothic"}), "ＭＳゴシック");
    EXPECT_EQ(japaneseFace({"TakaoGothic", "Noto Sans JP", "DejaVu Sans"}), "Noto Sans JP");
    EXPECT_EQ(japaneseFace({"IPAGothic"}), "IPAGothic");
    EXPECT_EQ(japaneseFace({"DejaVu Sans", "noto sans jp"}), "ＭＳゴシック");
    EXPECT_EQ(japaneseFace({}), "ＭＳゴシック");
    EXPECT_EQ(kJapaneseFace,
              "\xEF\xBC\xAD\xEF\xBC\xB3\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
}

TEST(LanguageFonts, OnlyTheJapaneseCodeChangesFaces) {
    EXPECT_TRUE(needsJapaneseFace("J"));
    EXPECT_FALSE(needsJapaneseFace("E"));
    EXPECT_FALSE(needsJapaneseFace(" J"));
    EXPECT_FALSE(needsJapaneseFace(""));
}

}  // namespace
}  // namespace kt520::lang
