#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RulesPanel.h"

namespace kt520::testing {
namespace {

std::vector<std::string> motifTexts(const ui::MainWindowModel& w) {
    std::vector<std::string> texts;
    for (int k = 1; k <= 4; ++k) texts.push_back(w.txtALEN[k].text);
    return texts;
}

using Texts = std::vector<std::string>;

TEST(LengthConversion, HalfAnInchRoundTripsThroughTheShortForm) {
    RulesPanel p;
    p.type("12.7");
    p.window.optUNT.click(2);
    EXPECT_EQ(p.window.txtLENG.text, ".5");
    p.window.optUNT.click(1);
    EXPECT_EQ(p.window.txtLENG.text, "12.7");
}

TEST(LengthConversion, ClampsToTheSmallestLengthOfEachUnit) {
    RulesPanel p;
    p.type("0.1");
    p.window.optUNT.click(2);
    EXPECT_EQ(p.window.txtLENG.text, ".01") << "0.00 raised to 0.01";
    p.window.optUNT.click(1);
    EXPECT_EQ(p.window.txtLENG.text, ".3");
    p.type("");
    p.window.optUNT.click(2);
    p.type("0");
    p.window.optUNT.click(1);
    EXPECT_EQ(p.window.txtLENG.text, ".1");
}

TEST(LengthConversion, ClampsToTheTravelOfTheDrive) {
    RulesPanel p(25.4f);
    p.type("300");
    p.window.optUNT.click(2);
    EXPECT_EQ(p.window.txtLENG.text, "1");
    p.type("5");
    p.window.optUNT.click(1);
    EXPECT_EQ(p.window.txtLENG.text, "25.4") << "the limit as the drive reports it";
}

TEST(LengthConversion, LengthsBeyondSixteenBitsStopAtTheLimitInsteadOfOverflowing) {
    RulesPanel p;
    p.type("99999999");
    p.window.optUNT.click(2);
    EXPECT_EQ(p.window.txtLENG.text, "2");
    p.type("-99999999");
    p.window.optUNT.click(1);
    EXPECT_EQ(p.window.txtLENG.text, ".1");
}

TEST(LengthConversion, TextIsCutToFiveCharacters) {
    RulesPanel p(5000.0f);  // a long drive, so that the clamps stay out of the way
    p.type("3000");         // 118.11 in
    p.window.optUNT.click(2);
    EXPECT_EQ(p.window.txtLENG.text, "118.1");
    p.type("48.6");  // 1234.4 mm
    p.window.optUNT.click(1);
    EXPECT_EQ(p.window.txtLENG.text, "1234.");
}

TEST(LengthConversion, ConvertingReRunsTheLengthRuleInTheNewUnit) {
    RulesPanel p;
    p.arbitraryLength(2, "mm", "12.7");  // band 4
    ASSERT_TRUE(p.window.optCUT.isSelected(4));
    p.window.optUNT.click(2);  // ".5" inch is band 4 as well
    EXPECT_TRUE(p.window.optCUT.isSelected(4));
    p.type("0.04");
    EXPECT_TRUE(p.window.optCUT.isSelected(2));
}

TEST(LengthConversion, AnyOtherUnitArgumentLeavesTheEntriesAlone) {
    RulesPanel p;
    p.type("12.7");
    const Texts before = motifTexts(p.window);
    for (int unit : {0, 3, -1}) {
        p.rules.convertLengthEntry(unit);
        p.rules.convertMotifLengths(unit);
    }
    EXPECT_EQ(p.window.txtLENG.text, "12.7");
    EXPECT_EQ(motifTexts(p.window), before);
}

TEST(MotifLengthConversion, DefaultsConvertToInchAndBack) {
    RulesPanel p;
    p.window.cmdDefault.click();
    ASSERT_EQ(motifTexts(p.window), (Texts{"0.64", "3.2", "16.0", "25.4"}));
    p.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(p.window), (Texts{".025", ".126", ".63", "1"}));
    p.window.optUNT.click(1);
    EXPECT_EQ(motifTexts(p.window), (Texts{".64", "3.2", "16", "25.4"}));
}

TEST(MotifLengthConversion, EachEntryIsClampedToItsOwnRange) {
    RulesPanel p;
    // The design texts start with their smallest mm length; 16.1 mm is
    // 0.634 in, below the inch range of entry 4.
    p.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(p.window), (Texts{".012", ".028", ".13", ".64"}));
    for (int k = 1; k <= 4; ++k) p.window.txtALEN[k].setText("0");
    p.window.optUNT.click(1);
    EXPECT_EQ(motifTexts(p.window), (Texts{".3", ".7", "3.3", "16.1"}));
    for (int k = 1; k <= 4; ++k) p.window.txtALEN[k].setText("999");
    p.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(p.window), (Texts{".025", ".126", ".63", "2"}));
}

TEST(MotifLengthConversion, ModelsWithoutMotifsKeepTheirTexts) {
    RulesPanel p(50.8f, 1);
    const Texts before = motifTexts(p.window);
    p.window.optUNT.click(2);
    EXPECT_EQ(motifTexts(p.window), before);
}

class LengthCheck : public ::testing::Test {
  protected:
    std::string check(const std::string& unit, const std::string& text) {
        p.window.optUNT.click(unit == "mm" ? 1 : 2);
        p.type(text);
        p.op.beeps = 0;
        p.window.txtLENG.focusRequests = 0;
        p.window.txtLENG.selStart = 3;
        p.window.txtLENG.selLength = 0;
        return p.rules.checkLengthEntry();
    }
    RulesPanel p{25.4f};
};

TEST_F(LengthCheck, MillimetreLengthsFromOneTenthToTheTravel) {
    EXPECT_EQ(check("mm", "0.1"), "OK");
    EXPECT_EQ(p.op.beeps, 0);
    EXPECT_EQ(p.window.txtLENG.focusRequests, 0);
    EXPECT_EQ(check("mm", "25.4"), "OK") << "single-precision limit";
    EXPECT_EQ(check("mm", ".5"), "OK");
    EXPECT_EQ(check("mm", "0.09"), "NG");
    EXPECT_EQ(p.op.beeps, 2) << "below range and two decimals";
    EXPECT_EQ(check("mm", "0.05"), "NG");
    EXPECT_EQ(p.op.beeps, 2);
    EXPECT_EQ(check("mm", "25.5"), "NG");
    EXPECT_EQ(p.op.beeps, 1);
}

TEST_F(LengthCheck, SecondMillimetreDecimalIsRefusedEvenInRange) {
    EXPECT_EQ(check("mm", "2.45"), "NG");
    EXPECT_EQ(p.op.beeps, 1);
    EXPECT_EQ(p.window.txtLENG.focusRequests, 1);
    EXPECT_EQ(p.window.txtLENG.selStart, 0);
    EXPECT_EQ(p.window.txtLENG.selLength, 255);
    EXPECT_EQ(check("mm", "2.4 "), "NG") << "any character after the first decimal counts";
}

TEST_F(LengthCheck, InchLengthsFromOneHundredthToTheInchLimit) {
    EXPECT_EQ(check("inch", "0.01"), "OK");
    EXPECT_EQ(check("inch", "1"), "OK");
    EXPECT_EQ(check("inch", "1.01"), "NG");
    EXPECT_EQ(p.op.beeps, 1);
    EXPECT_EQ(check("inch", "0.005"), "NG");
    EXPECT_EQ(p.op.beeps, 2) << "three decimals and below range";
    EXPECT_EQ(p.window.txtLENG.focusRequests, 2);
    EXPECT_EQ(check("inch", "x"), "NG");
    EXPECT_EQ(p.op.beeps, 1);
}

TEST_F(LengthCheck, NoUnitChosenHasNothingToCheck) {
    p.type("junk.123");
    p.window.optUNT[1].selected = false;
    p.window.optUNT[2].selected = false;
    EXPECT_EQ(p.rules.checkLengthEntry(), "OK");
    EXPECT_EQ(p.op.beeps, 0);
}

}  // namespace
}  // namespace kt520::testing
