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
}

TEST(LanguageFonts, OnlyTheJapaneseCodeChangesFaces) {
    for (const char* code : {"J", "E", " J", ""})
        EXPECT_EQ(needsJapaneseFace(code), code == std::string("J")) << '"' << code << '"';
}

}  // namespace
}  // namespace kt520::lang
