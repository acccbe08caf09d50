#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelSnapshot.h"
#include "RulesPanel.h"

namespace kt520::testing {
namespace {

// Which cut-off the band leaves (0: the length is in no band, nothing moved).
struct BandCase {
    std::string unit;
    std::string length;
    int cutOff;
};

std::vector<int> enabledCutOffs(const ui::MainWindowModel& w) {
    std::vector<int> on;
    for (int i : w.optCUT.indexes())
        if (w.optCUT[i].enabled) on.push_back(i);
    return on;
}

class LengthBandEdges : public ::testing::TestWithParam<BandCase> {};

TEST_P(LengthBandEdges, TheBandsCutOffIsTheOnlyOneLeft) {
    const BandCase c = GetParam();
    RulesPanel p;  // 50.8 mm of travel: 2 inch
    ui::MainWindowModel& w = p.window;
    p.arbitraryLength(2, c.unit, "junk");  // no band: the design cut-off 0.8 stays
    const auto before = panelSnapshot(w);
    p.type(c.length);

    if (c.cutOff == 0) {
        const auto changed = changedLines(before, panelSnapshot(w));
        ASSERT_EQ(changed.size(), 1u) << changed.front();
        EXPECT_EQ(changed[0].rfind("txtLENG", 0), 0u) << changed[0];
        return;
    }
    EXPECT_TRUE(w.optCUT.isSelected(c.cutOff));
    EXPECT_EQ(enabledCutOffs(w), std::vector<int>{c.cutOff});
    EXPECT_EQ(w.optCUT[c.cutOff].foreColour, ui::kRed);
    EXPECT_EQ(w.optSPD[3].enabled, c.cutOff >= 2);
    EXPECT_EQ(w.optSPD[4].enabled, c.cutOff >= 3);
    EXPECT_EQ(w.fstrSPD_LIMIT, c.cutOff >= 3 ? "5" : "4");
}

INSTANTIATE_TEST_SUITE_P(Edges, LengthBandEdges,
                         ::testing::Values(BandCase{"mm", "0.09", 0}, BandCase{"mm", "0.1", 1},
                                           BandCase{"mm", "0.5", 1}, BandCase{"mm", "0.51", 2},
                                           BandCase{"mm", "1.5", 2}, BandCase{"mm", "1.51", 3},
                                           BandCase{"mm", "5", 3}, BandCase{"mm", "5.01", 4},
                                           BandCase{"mm", "15", 4}, BandCase{"mm", "15.01", 5},
                                           BandCase{"mm", "50.8", 5}, BandCase{"mm", "50.81", 0},
                                           BandCase{"mm", "-3", 0}, BandCase{"inch", "0.009", 0},
                                           BandCase{"inch", ".01", 1}, BandCase{"inch", "0.02", 1},
                                           BandCase{"inch", "0.021", 2},
                                           BandCase{"inch", "0.05", 2}, BandCase{"inch", "0.09", 3},
                                           BandCase{"inch", "0.1", 3}, BandCase{"inch", "0.19", 3},
                                           BandCase{"inch", "0.5", 4}, BandCase{"inch", "0.51", 4},
                                           BandCase{"inch", "0.59", 4}, BandCase{"inch", "0.6", 5},
                                           BandCase{"inch", "2", 5}, BandCase{"inch", "2.01", 0}),
                         [](const auto& info) {
                             std::string name = info.param.unit + "_" + info.param.length;
                             for (char& ch : name)
                                 if (ch == '.')
                                     ch = 'p';
                                 else if (ch == '-')
                                     ch = 'm';
                             return name;
                         });

TEST(LengthRule, ShortestBandWithdrawsTheFastSpeeds) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optSPD.click(4);
    p.arbitraryLength(2, "mm", "0.1");
    EXPECT_TRUE(w.optSPD.isSelected(1));
    EXPECT_FALSE(w.optSPD[3].enabled || w.optSPD[4].enabled);
    EXPECT_EQ(w.fstrSPD_LIMIT, "4");
}

TEST(LengthRule, SecondBandMovesOneMillimetrePerSecondDownToHalf) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optSPD.click(4);
    p.arbitraryLength(4, "mm", "1");
    EXPECT_TRUE(w.optSPD.isSelected(3));
    EXPECT_TRUE(w.optCUT.isSelected(2));
}

TEST(LengthRule, ThirdBandChoosesHalfMillimetrePerSecondOnlyInMillimetres) {
    RulesPanel mm;
    mm.window.optSPD.click(4);
    mm.arbitraryLength(2, "mm", "3");
    EXPECT_TRUE(mm.window.optCUT.isSelected(3));
    EXPECT_TRUE(mm.window.optSPD.isSelected(3));

    RulesPanel inch;
    inch.window.optSPD.click(4);
    inch.arbitraryLength(2, "inch", "0.1");
    EXPECT_TRUE(inch.window.optCUT.isSelected(3));
    EXPECT_TRUE(inch.window.optSPD.isSelected(4));
}

TEST(LengthRule, TravelLimitIsComparedInSinglePrecision) {
    // 25.4 typed is above the float 25.4 as a double; the limit holds it.
    RulesPanel p(25.4f);
    p.arbitraryLength(1, "mm", "25.4");
    EXPECT_TRUE(p.window.optCUT.isSelected(5));
    p.type("0.3");
    EXPECT_TRUE(p.window.optCUT.isSelected(1));
    p.type("25.41");
    EXPECT_TRUE(p.window.optCUT.isSelected(1)) << "above the travel: nothing moves";
    EXPECT_EQ(p.window.fstrSPD_LIMIT, "4");
}

TEST(LengthRule, InchLimitIsTheTravelToTheNearestEvenInch) {
    // 63.5 mm is 2.5 inch, which rounds to 2.
    RulesPanel p(63.5f);
    p.arbitraryLength(2, "inch", "2");
    EXPECT_TRUE(p.window.optCUT.isSelected(5));
    p.type("0.3");
    p.type("2.4");
    EXPECT_TRUE(p.window.optCUT.isSelected(4));
}

TEST(LengthRule, ShortFormWrittenByTheUnitSwitchIsRead) {
    RulesPanel p;
    p.arbitraryLength(2, "inch", ".5");
    EXPECT_TRUE(p.window.optCUT.isSelected(4));
}

TEST(LengthRule, LeavingTheLengthGivesTheCutOffsAndSpeedTableBack) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    p.arbitraryLength(2, "mm", "0.3");
    w.optSCT.click(3);
    EXPECT_EQ(enabledCutOffs(w), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(w.optCUT.isSelected(1));
    EXPECT_EQ(w.fstrSPD_LIMIT, "4");
    w.optCUT.click(3);
    EXPECT_EQ(w.fstrSPD_LIMIT, "5");
}

}  // namespace
}  // namespace kt520::testing
