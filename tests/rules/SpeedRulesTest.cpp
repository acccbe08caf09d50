#include <gtest/gtest.h>

#include <string>

#include "RulesPanel.h"

namespace kt520::testing {
namespace {

enum class Offered { Slow, Mid, All };

void expectOffered(const ui::MainWindowModel& w, Offered set) {
    EXPECT_TRUE(w.optSPD[0].enabled);
    EXPECT_TRUE(w.optSPD[1].enabled);
    EXPECT_EQ(w.optSPD[3].enabled, set != Offered::Slow);
    EXPECT_EQ(w.optSPD[4].enabled, set == Offered::All);
    EXPECT_EQ(w.fstrSPD_LIMIT, set == Offered::All ? "5" : "4");
}

TEST(SpeedRules, ShortestCutOffWithdrawsTheFastSpeedsAndMovesTheSelection) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optSPD.click(4);
    w.optCUT.click(1);
    expectOffered(w, Offered::Slow);
    EXPECT_TRUE(w.optSPD.isSelected(1));
    EXPECT_EQ(w.optSPD[1].foreColour, ui::kRed);
    EXPECT_EQ(w.optSPD[4].foreColour, ui::kHighlightText);
}

TEST(SpeedRules, SlowSpeedsStayChosenUnderTheShortCutOffs) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optSPD.click(0);
    w.optCUT.click(1);
    EXPECT_TRUE(w.optSPD.isSelected(0));
    w.optSPD.click(1);
    w.optCUT.click(2);
    expectOffered(w, Offered::Mid);
    EXPECT_TRUE(w.optSPD.isSelected(1));
}

TEST(SpeedRules, CutOff025KeepsHalfMillimetreButNotOne) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optSPD.click(4);
    w.optCUT.click(2);
    expectOffered(w, Offered::Mid);
    EXPECT_TRUE(w.optSPD.isSelected(3));
}

TEST(SpeedRules, LongCutOffsOfferEverySpeedAndLeaveTheSelection) {
    for (int cut : {3, 4, 5}) {
        RulesPanel p;
        ui::MainWindowModel& w = p.window;
        w.optCUT.click(1);
        w.optSPD.click(0);
        w.optCUT.click(cut);
        expectOffered(w, Offered::All);
        EXPECT_TRUE(w.optSPD.isSelected(0)) << cut;
    }
}

TEST(SpeedRules, WavinessWithoutFlGoesByTheCutOffAndWithFl025IsMid) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    w.optCUT.click(1);
    ASSERT_TRUE(w.optFHL.isSelected(0));
    expectOffered(w, Offered::Slow);

    // The fl handler records the choice only; the rules see it on their next run.
    w.optFHL.click(1);
    w.optCUV.click(3);
    expectOffered(w, Offered::Mid);

    w.optFHL.click(2);
    w.optCUV.click(3);
    expectOffered(w, Offered::All);
}

TEST(SpeedRules, MotifProfilesGoByTheirShortestLimit) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optSPD.click(4);
    w.optCUV.click(5);  // R MOTIF, A 0.02
    expectOffered(w, Offered::Mid);
    EXPECT_TRUE(w.optSPD.isSelected(3));

    w.optMTA.click(3);  // A 0.1 selects B 0.5, whose handler re-runs the rules
    EXPECT_TRUE(w.optMTB.isSelected(4));
    expectOffered(w, Offered::All);

    w.optCUV.click(6);  // W MOTIF goes by B
    expectOffered(w, Offered::All);
    w.optMTB.click(3);
    expectOffered(w, Offered::Mid);
    EXPECT_TRUE(w.optMTA.isSelected(2));
    w.optCUV.click(5);
    expectOffered(w, Offered::Mid);
}

TEST(SpeedRules, HiddenSpeedsCountByTheirIndex) {
    // Only the read-back can select a hidden speed; 2 is below 0.5, 5 above it.
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUT.click(2);
    w.optSPD.select(2);
    p.rules.applyOptionRules();
    EXPECT_TRUE(w.optSPD.isSelected(2));
    w.optSPD.select(5);
    p.rules.applyOptionRules();
    EXPECT_TRUE(w.optSPD.isSelected(3));

    w.optSPD.select(2);
    w.optCUT.click(1);
    EXPECT_TRUE(w.optSPD.isSelected(1));
    EXPECT_FALSE(w.optSPD[2].visible || w.optSPD[5].visible);
}

TEST(SpeedRules, TheSuffixIsEmptyUntilTheRulesFirstRun) {
    ui::MainWindowModel w;
    EXPECT_EQ(w.fstrSPD_LIMIT, "");
    RulesPanel p;
    EXPECT_EQ(p.window.fstrSPD_LIMIT, "5");  // design choices: R, 0.8
}

}  // namespace
}  // namespace kt520::testing
