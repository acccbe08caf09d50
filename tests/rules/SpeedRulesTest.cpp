// The speeds each profile and cut-off allow, and how the chosen speed follows.
#include <gtest/gtest.h>

#include <string>

#include "RulesPanel.h"

namespace kt520::testing {
namespace {

enum class Offered { Slow, Mid, All };

void expectOffered(const ui::MainWindowModel& w, Offered set) {
    EXPECT_TRUE(w.optSPD[0].enabled && w.optSPD[1].enabled);
    EXPECT_EQ(w.optSPD[3].enabled, set != Offered::Slow);
    EXPECT_EQ(w.optSPD[4].enabled, set == Offered::All);
    EXPECT_EQ(w.fstrSPD_LIMIT, set == Offered::All ? "5" : "4");
}

TEST(SpeedRules, ProfileAndShortestLimitDecideTheSpeedsAndAFastChoiceMovesDown) {
    struct Case {
        const char* what;
        int profile, cutOff, fl, motifA, motifB;  // 0: left as designed
        int speed;                                // chosen first, while every speed is offered
        Offered offered;
        int speedAfter;
    };
    const Case cases[] = {{"R 0.08", 2, 1, 0, 0, 0, 4, Offered::Slow, 1},
                          {"R 0.08 keeps a slow speed", 2, 1, 0, 0, 0, 0, Offered::Slow, 0},
                          {"R 0.25", 2, 2, 0, 0, 0, 4, Offered::Mid, 3},
                          {"R 0.25 keeps 0.1", 2, 2, 0, 0, 0, 1, Offered::Mid, 1},
                          {"R 0.8", 2, 3, 0, 0, 0, 4, Offered::All, 4},
                          {"R 2.5", 2, 4, 0, 0, 0, 0, Offered::All, 0},
                          {"P 8", 1, 5, 0, 0, 0, 4, Offered::All, 4},
                          {"DIN 0.08", 4, 1, 0, 0, 0, 4, Offered::Slow, 1},
                          {"W 0.08 without fl", 3, 1, 0, 0, 0, 4, Offered::Slow, 1},
                          {"W fl 0.25", 3, 1, 1, 0, 0, 4, Offered::Mid, 1},
                          {"W fl 0.8", 3, 1, 2, 0, 0, 4, Offered::All, 1},
                          {"R MOTIF A 0.02", 5, 0, 0, 0, 0, 4, Offered::Mid, 3},
                          {"R MOTIF A 0.1", 5, 0, 0, 3, 0, 4, Offered::All, 3},
                          {"W MOTIF B 0.5", 6, 0, 0, 0, 4, 4, Offered::All, 3},
                          {"W MOTIF B 0.1", 6, 0, 0, 0, 3, 4, Offered::Mid, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RulesPanel p;
        ui::MainWindowModel& w = p.window;
        w.optSPD.click(c.speed);
        w.optCUV.click(c.profile);
        if (c.motifA) w.optMTA.click(c.motifA);
        if (c.motifB) w.optMTB.click(c.motifB);
        if (c.cutOff) w.optCUT.click(c.cutOff);
        // The fl handler records the choice only; the rules see it on their
        // next run, here the profile clicked again.
        if (c.fl) w.optFHL.click(c.fl);
        w.optCUV.click(c.profile);
        expectOffered(w, c.offered);
        EXPECT_TRUE(w.optSPD.isSelected(c.speedAfter));
        EXPECT_EQ(w.optSPD[c.speedAfter].foreColour, ui::kRed);
    }
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
}

}  // namespace
}  // namespace kt520::testing
