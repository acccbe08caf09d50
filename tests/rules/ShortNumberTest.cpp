// The number text of the length entries: what the conversions of the panel
// scenarios do not reach.
#include "rules/ShortNumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

namespace kt520::rules {
namespace {

TEST(ShortNumber, RoundsHalvesToEvenWithinSixteenBitsAndReadsOnlyTheLeadingNumber) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<double, int> nearest[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {2.5000001, 3}, {-0.4, 0},
        {32766.5, 32766}, {40000.0, 32767}, {-40000.0, -32768}, {kInfinity, 32767},
        {std::numeric_limits<double>::quiet_NaN(), 0}};
    const std::pair<double, const char*> texts[] = {
        {0.5, ".5"}, {2.0, "2"}, {0.634, ".634"}, {123.456, "123.4"}, {0.0, "0"}, {-0.5, "-.5"},
        {static_cast<double>(25.4f), "25.39"}};
    const std::pair<const char*, double> numbers[] = {
        {"  3mm", 3.0}, {"1.2.3", 1.2}, {"-1.5", -1.5}, {"+2", 2.0}, {"5.", 5.0}, {"2,5", 2.0},
        {"1e3", 1.0}, {"", 0.0}, {".", 0.0}, {"abc", 0.0}, {"-", 0.0}, {"inf", 0.0}, {"nan", 0.0}};
    // clang-format on
    for (const auto& [value, whole] : nearest) EXPECT_EQ(nearestEven16(value), whole) << value;
    for (const auto& [value, text] : texts) EXPECT_EQ(shortNumber(value), text) << value;
    EXPECT_EQ(shortNumber(25.4f), "25.4") << "the single-precision value keeps its short text";
    for (const auto& [text, value] : numbers) EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
    EXPECT_EQ(leadingNumber(std::string(400, '9')), kInfinity) << "too many digits for a double";
}

}  // namespace
}  // namespace kt520::rules
