#include "rules/ShortNumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

namespace kt520::rules {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(NearestEven16, RoundsHalvesToTheEvenNeighbourAndStopsAtTheEndsOfSixteenBits) {
    const std::pair<double, int> cases[] = {
        {2.5, 2},           {3.5, 4},
        {-2.5, -2},         {-3.5, -4},
        {0.5, 0},           {2.5000001, 3},
        {49.9999, 50},      {-0.4, 0},
        {32766.5, 32766},   {32767.4, 32767},
        {40000.0, 32767},   {-40000.0, -32768},
        {kInfinity, 32767}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& [value, nearest] : cases) EXPECT_EQ(nearestEven16(value), nearest) << value;
}

TEST(ShortNumber, DropsTheLeadingZeroAndTrailingZerosAndKeepsFiveCharacters) {
    const std::pair<double, const char*> cases[] = {
        {0.5, ".5"},          {12.7, "12.7"},
        {2.0, "2"},           {0.01, ".01"},
        {0.634, ".634"},      {123.456, "123.4"},
        {1234567.0, "12345"}, {0.0, "0"},
        {-0.5, "-.5"},        {static_cast<double>(25.4f), "25.39"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(shortNumber(value), text) << value;
    EXPECT_EQ(shortNumber(25.4f), "25.4") << "the single-precision value keeps its short text";
}

TEST(LeadingNumber, ReadsTheNumberTheTextStartsWithAndNeverTakesTheLocaleComma) {
    const std::pair<const char*, double> cases[] = {
        {".5", 0.5},    {"12.7", 12.7}, {"  3mm", 3.0}, {"0.3-0.64mm 0.012'-0.025'", 0.3},
        {"1.2.3", 1.2}, {"-1.5", -1.5}, {"+2", 2.0},    {"5.", 5.0},
        {"2,5", 2.0},   {"1e3", 1.0},   {"", 0.0},      {".", 0.0},
        {"abc", 0.0},   {"-", 0.0},     {"inf", 0.0},   {"nan", 0.0}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
    EXPECT_EQ(leadingNumber(std::string(400, '9')), kInfinity) << "too many digits for a double";
}

}  // namespace
}  // namespace kt520::rules
