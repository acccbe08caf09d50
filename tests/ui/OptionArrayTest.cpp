#include <gtest/gtest.h>

#include <vector>

#include "ui/MainWindowModel.h"

using kt520::ui::MainWindowModel;
using kt520::ui::OptionArray;

TEST(OptionArray, SelectingFromCodeRaisesTheHandlerOnlyOnChange) {
    OptionArray speeds("optSPD", 0, 5);
    std::vector<int> clicks;
    speeds.onClick = [&](int i) { clicks.push_back(i); };
    speeds.select(3);
    speeds.select(3);
    speeds.select(1);
    EXPECT_EQ(clicks, (std::vector<int>{3, 1}));
    EXPECT_TRUE(speeds.isSelected(1));
    EXPECT_FALSE(speeds.isSelected(3));
}

TEST(OptionArray, OperatorClickAlwaysRaisesButNotOnDisabledOrHiddenEntries) {
    OptionArray profiles("optCUV", 1, 6);
    int clicks = 0;
    profiles.onClick = [&](int) { ++clicks; };
    profiles.click(2);
    profiles.click(2);
    profiles[4].enabled = false;
    profiles.click(4);
    profiles[5].visible = false;
    profiles.click(5);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(profiles.selected(), 2);
}

TEST(OptionArray, ArraysWithGapsRefuseMissingIndexes) {
    MainWindowModel window;
    EXPECT_FALSE(window.optMTA.has(1));
    EXPECT_THROW(window.optMTB.select(1), std::out_of_range);
    EXPECT_EQ(window.optMTB.selected(), 3);
    EXPECT_EQ(window.optMTB.selectedFrom(4), -1);
}

TEST(MainWindowModel, NewWindowShowsTheDesignTimePanel) {
    MainWindowModel window;
    EXPECT_EQ(window.optUNT.selected(), 1);
    EXPECT_EQ(window.optSTD.selected(), 4);
    EXPECT_EQ(window.optCUV.selected(), 2);
    EXPECT_EQ(window.optCUT.selected(), 3);
    EXPECT_EQ(window.optSPD.selected(), 3);
    EXPECT_EQ(window.optFHL.selected(), 0);
    EXPECT_FALSE(window.optFLT[4].visible);
    EXPECT_FALSE(window.optFLT[4].enabled);
    EXPECT_FALSE(window.optSPD[2].visible);
    EXPECT_EQ(window.optCUT[3].foreColour, kt520::ui::kRed);
    EXPECT_EQ(window.optCUT[1].foreColour, kt520::ui::kHighlightText);
    EXPECT_EQ(window.frmLAN[19].caption, "MOTIF-L");
    EXPECT_FALSE(window.progressBar1.visible);
}
