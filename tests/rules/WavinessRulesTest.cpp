#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelSnapshot.h"
#include "RulesPanel.h"

namespace kt520::testing {
namespace {

std::vector<int> enabledEntries(const ui::OptionArray& array, int from = 0) {
    std::vector<int> on;
    for (int i : array.indexes())
        if (i >= from && array[i].enabled) on.push_back(i);
    return on;
}

using Entries = std::vector<int>;

TEST(WavinessLimits, FlBelowFhMovesToTheSmallestFlAboveIt) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    w.optCUT.click(1);
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0, 1, 2, 3, 4}));
    w.optFHL.click(1);  // fl 0.25
    w.optCUT.click(3);  // fh 0.8
    EXPECT_TRUE(w.optFHL.isSelected(3)) << "fl 2.5";
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0, 3, 4}));
}

TEST(WavinessLimits, FlAboveFhStays) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    w.optCUT.click(1);
    w.optFHL.click(4);
    w.optCUT.click(4);
    EXPECT_TRUE(w.optFHL.isSelected(4));
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0, 4}));
}

TEST(WavinessLimits, LongestFhLeavesNoFlButNon) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    w.optCUT.click(1);
    w.optFHL.click(2);
    w.optCUT.click(5);
    EXPECT_TRUE(w.optFHL.isSelected(0));
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0}));
}

TEST(WavinessLimits, OtherProfilesLeaveTheFlFrameOff) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    EXPECT_TRUE(w.frmLAN[16].enabled);
    w.optCUV.click(4);
    EXPECT_FALSE(w.frmLAN[16].enabled);
    EXPECT_EQ(enabledEntries(w.optFHL), Entries{});
}

TEST(WavinessLengthRule, WithoutFlTheBandsCutOffIsForcedAndAlone) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUT.click(5);
    p.arbitraryLength(3, "mm", "3");
    EXPECT_TRUE(w.optCUT.isSelected(3));
    EXPECT_EQ(enabledEntries(w.optCUT), (Entries{3}));
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0, 2}));
    EXPECT_TRUE(w.optFHL.isSelected(0));
    EXPECT_EQ(w.fstrCUT_LOCK, "OK");
    EXPECT_LE(p.deepest, 4);
}

TEST(WavinessLengthRule, WithAnFlTheBandsFlIsTakenAndFhMayBeAnyCutOffBelowIt) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    w.optCUT.click(1);
    w.optFHL.click(4);  // fl 8
    w.optCUT.click(5);  // fh 8 clears fl to NON ...
    w.optCUT.click(4);
    w.optFHL.click(4);  // ... so choose fl 8 again under fh 2.5
    p.arbitraryLength(3, "mm", "3");
    EXPECT_TRUE(w.optFHL.isSelected(2)) << "fl 0.8";
    EXPECT_TRUE(w.optCUT.isSelected(2)) << "fh 0.25";
    EXPECT_EQ(enabledEntries(w.optCUT), (Entries{1, 2}));
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0, 2}));
    EXPECT_EQ(w.fstrCUT_LOCK, "OK");

    w.optCUT.click(1);  // fh 0.08 is offered and stays
    EXPECT_TRUE(w.optCUT.isSelected(1));
    EXPECT_TRUE(w.optFHL.isSelected(2));
}

TEST(WavinessLengthRule, ShortestBandTakesCutOff008AndNoFl) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    w.optCUT.click(1);
    w.optFHL.click(3);
    p.arbitraryLength(3, "mm", "0.2");
    EXPECT_TRUE(w.optCUT.isSelected(1));
    EXPECT_TRUE(w.optFHL.isSelected(0));
    EXPECT_EQ(enabledEntries(w.optCUT), (Entries{1}));
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0}));
    EXPECT_EQ(w.fstrSPD_LIMIT, "4");
}

TEST(WavinessLengthRule, SecondBandAlwaysGivesFh008WithFl025) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(3);
    w.optCUT.click(1);
    w.optFHL.click(1);
    p.arbitraryLength(3, "inch", "0.03");
    EXPECT_TRUE(w.optCUT.isSelected(1));
    EXPECT_TRUE(w.optFHL.isSelected(1));
    EXPECT_EQ(enabledEntries(w.optCUT), (Entries{1}));
    EXPECT_EQ(w.fstrSPD_LIMIT, "4") << "fl 0.25: middle speeds";
}

TEST(WavinessLengthRule, LengthOutsideTheBandsLeavesOnlyNon) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    p.arbitraryLength(3, "mm", "0.05");
    EXPECT_EQ(enabledEntries(w.optCUT), Entries{});
    EXPECT_EQ(enabledEntries(w.optFHL), (Entries{0}));
    EXPECT_TRUE(w.frmLAN[6].enabled);
    EXPECT_EQ(w.fstrCUT_LOCK, "OK");
}

TEST(WavinessLengthRule, TheForcedCutOffRunsUnderTheLockAndDoesNotReenter) {
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
}

TEST(WavinessLengthRule, StartCommandRunIsAFixedPointAfterTheClicks) {
    RulesPanel p;
    p.arbitraryLength(3, "inch", "0.3");
    const auto before = panelSnapshot(p.window);
    p.rules.applyWavinessLengthRule();
    EXPECT_EQ(changedLines(before, panelSnapshot(p.window)), std::vector<std::string>{});
}

}  // namespace
}  // namespace kt520::testing
