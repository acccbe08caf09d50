#include "profile/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace kt520::profile {
namespace {

using Limits = std::numeric_limits<float>;

// Seven significant digits (the last one rounded, carrying up), no leading or
// trailing zeros, the exponent form below 1E-04 and from 1E+07 up.
TEST(NumberText, WritesSevenDigitsInPlainOrExponentForm) {
    // clang-format off
    const std::pair<float, const char*> cases[] = {
        {0.5f, ".5"},             {-0.25f, "-.25"},         {120.0f, "120"},
        {0.0f, "0"},              {-0.0f, "0"},             {2.0f / 3.0f, ".6666667"},
        {0.1f + 0.2f, ".3"},      {0.29999995f, ".3"},      {12345.678f, "12345.68"},
        {0.0001f, ".0001"},       {0.000015f, "1.5E-05"},   {-0.000002f, "-2E-06"},
        {9999999.0f, "9999999"},  {10000000.0f, "1E+07"},   {123456789.0f, "1.234568E+08"},
        {Limits::max(), "3.402823E+38"},     {Limits::denorm_min(), "1.401298E-45"},
        {Limits::infinity(), "Inf"},         {-Limits::infinity(), "-Inf"},
        {Limits::quiet_NaN(), "NaN"}};
    // clang-format on
    for (const auto& [value, text] : cases) EXPECT_EQ(numberText(value), text) << value;
}

// The number at the start of the text; 0 for text that does not begin with
// one or whose value lies outside the single-precision range.
TEST(NumberText, ReadsTheNumberAtTheStartOfTheText) {
    // clang-format off
    const std::pair<const char*, float> cases[] = {
        {"-.5", -0.5f},   {"+2", 2.0f},   {"  7.5", 7.5f},  {"1,25", 1.0f},  {"3.5abc", 3.5f},
        {"2e3", 2000.0f}, {"-2.5E-06", -2.5e-6f},  {"2E+", 2.0f},  {"4.", 4.0f},  {"0.1", 0.1f},
        {"", 0.0f},  {".", 0.0f},  {"-", 0.0f},  {",5", 0.0f},  {"inf", 0.0f},  {"nan", 0.0f},
        {"2E", 2.0f},  {"1E39", 0.0f},  {"1E999", 0.0f}};
    // clang-format on
    for (const auto& [text, value] : cases) EXPECT_EQ(readValue(text), value) << text;
}

}  // namespace
}  // namespace kt520::profile
