// The waviness profile "W": fl must lie above fh, and with an arbitrary
// length both follow its band.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RulesPanel.h"

namespace kt520::testing {
namespace {

// "W" with fh 0.08, then the operator's fl (0: NON) and fh.
void chooseWaviness(RulesPanel& p, int fl, int fh) {
    p.window.optCUV.click(3);
    p.window.optCUT.click(1);
    if (fl) p.window.optFHL.click(fl);
    if (fh) p.window.optCUT.click(fh);
}

TEST(WavinessLimits, OnlyFlAboveFhIsOfferedAndAnFlBelowMovesUp) {
    struct Case {
        int fl, fh, flAfter;
        Entries offered;
    };
    const Case cases[] = {
        {0, 1, 0, {0, 1, 2, 3, 4}},
        {1, 3, 3, {0, 3, 4}},  // fl 0.25 under fh 0.8: the smallest fl above, 2.5
        {4, 4, 4, {0, 4}},     // fl 8 above fh 2.5 stays
        {2, 5, 0, {0}},        // fh 8 leaves no fl but NON
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("fl " + std::to_string(c.fl) + ", fh " + std::to_string(c.fh));
        RulesPanel p;
        chooseWaviness(p, c.fl, c.fh);
        EXPECT_TRUE(p.window.optFHL.isSelected(c.flAfter));
        EXPECT_EQ(enabledEntries(p.window.optFHL), c.offered);
    }
}

TEST(WavinessLengthRule, TheBandGivesFhAndFlAndOffersOnlyThem) {
    struct Case {
        const char* what;
        int fl, fh;
        std::string unit, length;
        int fhAfter, flAfter;
        Entries fhOffered, flOffered;
        const char* speedLimit;
    };
    const Case cases[] = {
        {"without fl the band's cut-off is forced", 0, 5, "mm", "3", 3, 0, {3}, {0, 2}, "5"},
        {"with fl the band's fl, fh below it", 4, 4, "mm", "3", 2, 2, {1, 2}, {0, 2}, "5"},
        {"shortest band: 0.08 and NON", 3, 0, "mm", "0.2", 1, 0, {1}, {0}, "4"},
        {"second band: 0.08 with 0.25", 1, 0, "inch", "0.03", 1, 1, {1}, {0, 1}, "4"},
        {"in no band: only NON", 0, 0, "mm", "0.05", 3, 0, {}, {0}, "5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RulesPanel p;
        ui::MainWindowModel& w = p.window;
        chooseWaviness(p, c.fl, c.fh);
        p.deepest = 0;
        p.arbitraryLength(3, c.unit, c.length);
        EXPECT_TRUE(w.optCUT.isSelected(c.fhAfter));
        EXPECT_TRUE(w.optFHL.isSelected(c.flAfter));
        EXPECT_EQ(enabledEntries(w.optCUT), c.fhOffered);
        EXPECT_EQ(enabledEntries(w.optFHL), c.flOffered);
        EXPECT_EQ(w.fstrSPD_LIMIT, c.speedLimit);
        EXPECT_TRUE(w.frmLAN[6].enabled);
        EXPECT_EQ(w.fstrCUT_LOCK, "OK");
        EXPECT_LE(p.deepest, 4);
    }
}

TEST(WavinessLengthRule, TheForcedCutOffRunsUnderTheLockAndAnOfferedFhStays) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    p.arbitraryLength(3, "mm", "4");
    std::vector<std::string> locksSeen;
    w.optCUT.onClick = [&, inner = w.optCUT.onClick](int i) {
        locksSeen.push_back(w.fstrCUT_LOCK);
        inner(i);
    };
    p.type("20");  // band 5: 8 is forced under the lock
    EXPECT_TRUE(w.optCUT.isSelected(5));
    EXPECT_EQ(locksSeen, (std::vector<std::string>{"NG"}));

    locksSeen.clear();
    p.type("0.7");  // band 2: 0.08 first (rules run again), then 0.25 forced
    EXPECT_TRUE(w.optCUT.isSelected(2));
    EXPECT_EQ(locksSeen, (std::vector<std::string>{"OK", "NG"}));
    EXPECT_EQ(w.fstrCUT_LOCK, "OK");

    RulesPanel q;  // fl 8 under fh 2.5, then 3 mm: fl 0.8 with fh 0.25
    chooseWaviness(q, 4, 4);
    q.arbitraryLength(3, "mm", "3");
    q.window.optCUT.click(1);  // fh 0.08 is offered too and stays
    EXPECT_TRUE(q.window.optCUT.isSelected(1));
    EXPECT_TRUE(q.window.optFHL.isSelected(2));
}

}  // namespace
}  // namespace kt520::testing
