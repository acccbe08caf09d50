// An arbitrary evaluation length ("L") picks the cut-off of its band and the
// speeds that band allows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RulesPanel.h"

namespace kt520::testing {
namespace {

TEST(LengthRule, TheBandsCutOffIsTheOnlyOneLeftWithTheSpeedsItAllows) {
    struct Case {
        std::string unit, length;
        int cutOff;  // 0: the length is in no band and nothing but the text moves
        int speed;   // what is left of 1 mm/s chosen before the length is typed
        float drive = 50.8f;
    };
    const Case cases[] = {{"mm", "0.09", 0, 4},
                          {"mm", "0.1", 1, 1},
                          {"mm", "0.5", 1, 1},
                          {"mm", "0.51", 2, 3},
                          {"mm", "1.5", 2, 3},
                          {"mm", "1.51", 3, 3},
                          {"mm", "5", 3, 3},
                          {"mm", "5.01", 4, 4},
                          {"mm", "15", 4, 4},
                          {"mm", "15.01", 5, 4},
                          {"mm", "50.8", 5, 4},
                          {"mm", "50.81", 0, 4},
                          {"mm", "-3", 0, 4},
                          {"inch", "0.009", 0, 4},
                          {"inch", ".01", 1, 1},
                          {"inch", "0.02", 1, 1},
                          {"inch", "0.021", 2, 3},
                          {"inch", "0.05", 2, 3},
                          {"inch", "0.09", 3, 4},
                          {"inch", "0.19", 3, 4},
                          {"inch", ".5", 4, 4},
                          {"inch", "0.59", 4, 4},
                          {"inch", "0.6", 5, 4},
                          {"inch", "2", 5, 4},
                          {"inch", "2.01", 0, 4},
                          // The travel limit is compared in single precision: typed 25.4 is
                          // above the float 25.4 as a double.
                          {"mm", "25.4", 5, 4, 25.4f},
                          {"mm", "25.41", 0, 4, 25.4f},
                          // The inch limit is the travel to the nearest even inch: 2.5 gives 2.
                          {"inch", "2", 5, 4, 63.5f},
                          {"inch", "2.4", 0, 4, 63.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length + " " + c.unit);
        RulesPanel p(c.drive);
        ui::MainWindowModel& w = p.window;
        p.arbitraryLength(2, c.unit, "junk");  // no band: the design cut-off 0.8 stays
        w.optSPD.click(4);
        const PanelSnapshot before = panelSnapshot(w);
        p.type(c.length);
        if (c.cutOff == 0) {
            const auto changed = changedLines(before, panelSnapshot(w));
            ASSERT_EQ(changed.size(), 1u);
            EXPECT_EQ(changed[0].rfind("txtLENG", 0), 0u) << changed[0];
            continue;
        }
        EXPECT_TRUE(w.optCUT.isSelected(c.cutOff));
        EXPECT_EQ(enabledEntries(w.optCUT), Entries{c.cutOff});
        EXPECT_EQ(w.optCUT[c.cutOff].foreColour, ui::kRed);
        EXPECT_TRUE(w.optSPD.isSelected(c.speed));
        EXPECT_EQ(w.optSPD[3].enabled, c.cutOff >= 2);
        EXPECT_EQ(w.optSPD[4].enabled, c.cutOff >= 3);
        EXPECT_EQ(w.fstrSPD_LIMIT, c.cutOff >= 3 ? "5" : "4");
    }
}

TEST(LengthRule, SwitchingTheUnitReadsTheConvertedLengthInItsBands) {
    RulesPanel p;
    p.arbitraryLength(2, "mm", "12.7");  // band 4
    p.window.optUNT.click(2);            // ".5" inch is band 4 as well
    EXPECT_TRUE(p.window.optCUT.isSelected(4));
    p.type("0.04");
    EXPECT_TRUE(p.window.optCUT.isSelected(2));
}

TEST(LengthRule, LeavingTheLengthGivesTheCutOffsAndSpeedTableBack) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    p.arbitraryLength(2, "mm", "0.3");
    w.optSCT.click(3);
    EXPECT_EQ(enabledEntries(w.optCUT), (Entries{1, 2, 3, 4, 5}));
    EXPECT_TRUE(w.optCUT.isSelected(1));
    EXPECT_EQ(w.fstrSPD_LIMIT, "4");
    w.optCUT.click(3);
    EXPECT_EQ(w.fstrSPD_LIMIT, "5");
}

}  // namespace
}  // namespace kt520::testing
