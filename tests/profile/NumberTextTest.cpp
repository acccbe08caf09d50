#include "profile/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace kt520::profile {
namespace {

TEST(NumberText, WritesPlainFormWithoutLeadingZeroOrTrailingZeros) {
    EXPECT_EQ(numberText(0.5f), ".5");
    EXPECT_EQ(numberText(-0.25f), "-.25");
    EXPECT_EQ(numberText(-3.5f), "-3.5");
    EXPECT_EQ(numberText(2.0f), "2");
    EXPECT_EQ(numberText(120.0f), "120");
    EXPECT_EQ(numberText(0.0f), "0");
    EXPECT_EQ(numberText(-0.0f), "0");
    EXPECT_EQ(numberText(0.001f), ".001");
    EXPECT_EQ(numberText(1234567.0f), "1234567");
}

TEST(NumberText, RoundsToSevenSignificantDigits) {
    EXPECT_EQ(numberText(0.1f), ".1");
    EXPECT_EQ(numberText(1.0f / 3.0f), ".3333333");
    EXPECT_EQ(numberText(2.0f / 3.0f), ".6666667");
    EXPECT_EQ(numberText(0.1f + 0.2f), ".3");
    EXPECT_EQ(numberText(12345.678f), "12345.68");
    EXPECT_EQ(numberText(-98.7654321f), "-98.76543");
    // 0.29999995 rounds up to the seventh digit.
    EXPECT_EQ(numberText(0.29999995f), ".3");
}

TEST(NumberText, SwitchesToExponentFormOutsideThePlainRange) {
    EXPECT_EQ(numberText(0.0001f), ".0001");
    EXPECT_EQ(numberText(0.000015f), "1.5E-05");
    EXPECT_EQ(numberText(-0.000002f), "-2E-06");
    EXPECT_EQ(numberText(9999999.0f), "9999999");
    EXPECT_EQ(numberText(10000000.0f), "1E+07");
    EXPECT_EQ(numberText(123456789.0f), "1.234568E+08");
    EXPECT_EQ(numberText(std::numeric_limits<float>::max()), "3.402823E+38");
    EXPECT_EQ(numberText(std::numeric_limits<float>::denorm_min()), "1.401298E-45");
}

TEST(NumberText, ReadsTheNumberAtTheStartOfTheText) {
    EXPECT_EQ(readValue("1.25"), 1.25f);
    EXPECT_EQ(readValue("-.5"), -0.5f);
    EXPECT_EQ(readValue("+2"), 2.0f);
    EXPECT_EQ(readValue("  7.5"), 7.5f);
    EXPECT_EQ(readValue("1,25"), 1.0f);
    EXPECT_EQ(readValue("3.5abc"), 3.5f);
    EXPECT_EQ(readValue("1.5E-06"), 1.5e-6f);
    EXPECT_EQ(readValue("2e3"), 2000.0f);
    EXPECT_EQ(readValue("2E"), 2.0f);
    EXPECT_EQ(readValue("2E+"), 2.0f);
    EXPECT_EQ(readValue("4."), 4.0f);
    EXPECT_EQ(readValue("0.1"), 0.1f);
}

TEST(NumberText, ReadsZeroForTextThatIsNotANumber) {
    EXPECT_EQ(readValue(""), 0.0f);
    EXPECT_EQ(readValue("abc"), 0.0f);
    EXPECT_EQ(readValue("."), 0.0f);
    EXPECT_EQ(readValue("-"), 0.0f);
    EXPECT_EQ(readValue(",5"), 0.0f);
    EXPECT_EQ(readValue("inf"), 0.0f);
    EXPECT_EQ(readValue("nan"), 0.0f);
    EXPECT_EQ(readValue("1E39"), 0.0f);
    EXPECT_EQ(readValue("1E999"), 0.0f);
}

TEST(NumberText, WrittenTextReadsBackToTheRoundedValue) {
    EXPECT_EQ(numberText(std::numeric_limits<float>::infinity()), "Inf");
    EXPECT_EQ(numberText(-std::numeric_limits<float>::infinity()), "-Inf");
    EXPECT_EQ(numberText(std::numeric_limits<float>::quiet_NaN()), "NaN");
    for (const float value : {0.5f, -3.5f, 1e-6f, 2.5e9f, -0.125f, 123.25f}) {
        EXPECT_EQ(readValue(numberText(value)), value) << numberText(value);
    }
}

}  // namespace
}  // namespace kt520::profile
