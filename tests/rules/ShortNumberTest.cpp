#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "rules/ShortNumber.h"

namespace kt520::rules {
namespace {

TEST(NearestEven16, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(nearestEven16(2.5), 2);
    EXPECT_EQ(nearestEven16(3.5), 4);
    EXPECT_EQ(nearestEven16(-2.5), -2);
    EXPECT_EQ(nearestEven16(-3.5), -4);
    EXPECT_EQ(nearestEven16(0.5), 0);
    EXPECT_EQ(nearestEven16(2.5000001), 3);
    EXPECT_EQ(nearestEven16(49.9999), 50);
    EXPECT_EQ(nearestEven16(-0.4), 0);
}

TEST(NearestEven16, StopsAtTheEndsOfSixteenBits) {
    EXPECT_EQ(nearestEven16(32766.5), 32766);
    EXPECT_EQ(nearestEven16(32767.4), 32767);
    EXPECT_EQ(nearestEven16(40000.0), 32767);
    EXPECT_EQ(nearestEven16(-40000.0), -32768);
    EXPECT_EQ(nearestEven16(std::numeric_limits<double>::infinity()), 32767);
    EXPECT_EQ(nearestEven16(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ShortNumber, DropsTheLeadingZeroAndTrailingZerosAndKeepsFiveCharacters) {
    EXPECT_EQ(shortNumber(0.5), ".5");
    EXPECT_EQ(shortNumber(12.7), "12.7");
    EXPECT_EQ(shortNumber(2.0), "2");
    EXPECT_EQ(shortNumber(0.01), ".01");
    EXPECT_EQ(shortNumber(0.634), ".634");
    EXPECT_EQ(shortNumber(123.456), "123.4");
    EXPECT_EQ(shortNumber(1234567.0), "12345");
    EXPECT_EQ(shortNumber(0.0), "0");
    EXPECT_EQ(shortNumber(-0.5), "-.5");
}

TEST(ShortNumber, SinglePrecisionValuesKeepTheirShortText) {
    EXPECT_EQ(shortNumber(25.4f), "25.4");
    EXPECT_EQ(shortNumber(static_cast<double>(25.4f)), "25.39");
}

TEST(LeadingNumber, ReadsTheNumberTheTextStartsWith) {
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("12.7"), 12.7);
    EXPECT_DOUBLE_EQ(leadingNumber("  3mm"), 3.0);
    EXPECT_DOUBLE_EQ(leadingNumber("0.3-0.64mm 0.012'-0.025'"), 0.3);
    EXPECT_DOUBLE_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(leadingNumber("-1.5"), -1.5);
    EXPECT_DOUBLE_EQ(leadingNumber("+2"), 2.0);
    EXPECT_DOUBLE_EQ(leadingNumber("5."), 5.0);
}

TEST(LeadingNumber, IsZeroWithoutANumberAndNeverTakesTheLocaleComma) {
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("."), 0.0);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber("-"), 0.0);
    EXPECT_EQ(leadingNumber("inf"), 0.0);
    EXPECT_EQ(leadingNumber("nan"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("2,5"), 2.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1e3"), 1.0);
}

TEST(LeadingNumber, TooManyDigitsReadAsInfinitelyLong) {
    const std::string huge(400, '9');
    EXPECT_EQ(leadingNumber(huge), std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace kt520::rules
