#include <gtest/gtest.h>

#include <string>

#include "RulesPanel.h"
#include "lang/Operator.h"

namespace kt520::testing {
namespace {

bool allEnabled(const ui::OptionArray& array, int from, int to, bool enabled) {
    for (int i : array.indexes())
        if (i >= from && i <= to && array[i].enabled != enabled) return false;
    return true;
}

struct ProfileRow {
    int profile;
    bool filter;
    bool cutOff;
    const char* caption;
    bool sections;
    bool frameA, optionsA, frameB, optionsB;
    bool fl;
    bool prePostForcedOff;
    bool motifLengths;
};

class DecisionTable : public ::testing::TestWithParam<ProfileRow> {};

TEST_P(DecisionTable, ChoosingTheProfileSetsEveryFrameAndOptionOfItsRow) {
    const ProfileRow row = GetParam();
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    w.optCUV.click(row.profile);

    EXPECT_EQ(w.frmLAN[4].enabled, row.filter);
    EXPECT_TRUE(allEnabled(w.optFLT, 1, 4, row.filter));  // hidden "NON" included
    EXPECT_FALSE(w.optFLT[4].visible);
    EXPECT_EQ(w.frmLAN[6].enabled, row.cutOff);
    EXPECT_EQ(w.frmLAN[6].caption, row.caption);
    EXPECT_EQ(w.frmLAN[8].enabled, row.sections);
    EXPECT_TRUE(allEnabled(w.optSCT, 1, 6, row.sections));
    EXPECT_EQ(w.frmLAN[9].enabled, row.frameA);
    EXPECT_TRUE(allEnabled(w.optMTA, 2, 5, row.optionsA));
    EXPECT_EQ(w.frmLAN[10].enabled, row.frameB);
    EXPECT_TRUE(allEnabled(w.optMTB, 2, 6, row.optionsB));
    EXPECT_EQ(w.frmLAN[16].enabled, row.fl);
    EXPECT_EQ(w.frmLAN[14].enabled, !row.prePostForcedOff);
    EXPECT_TRUE(allEnabled(w.optTRA, 0, 1, !row.prePostForcedOff));
    if (row.prePostForcedOff) {
        EXPECT_TRUE(w.optTRA.isSelected(0));
    }
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(w.txtALEN[k].enabled, row.motifLengths) << k;
    // "W" limits its cut-offs further (fh/fl rules); the others take the row.
    if (row.profile != 3) {
        EXPECT_TRUE(allEnabled(w.optCUT, 1, 5, row.cutOff));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, DecisionTable,
    ::testing::Values(
        ProfileRow{1, false, true, "Cut-Off", true, false, false, false, false, false, true, false},
        ProfileRow{2, true, true, "Cut-Off", true, false, false, false, false, false, false, false},
        ProfileRow{3, true, true, "fh", true, false, false, false, false, true, false, false},
        ProfileRow{4, true, true, "Cut-Off", true, false, false, false, false, false, false, false},
        ProfileRow{5, false, false, "Cut-Off", false, true, true, true, false, false, true, true},
        ProfileRow{6, false, false, "Cut-Off", false, true, false, true, true, false, true, true}),
    [](const auto& info) { return "Profile" + std::to_string(info.param.profile); });

TEST(OptionAvailability, ProfilePForcesPrePostOffWhateverTheSections) {
    for (int sections : {1, 3, 5, 6}) {
        RulesPanel p;
        ui::MainWindowModel& w = p.window;
        w.optSCT.click(sections);
        w.optCUV.click(1);
        EXPECT_TRUE(w.optTRA.isSelected(0)) << sections;
        EXPECT_FALSE(w.frmLAN[14].enabled);
        EXPECT_FALSE(w.optTRA[0].enabled || w.optTRA[1].enabled);
        EXPECT_FALSE(w.frmLAN[4].enabled);
        EXPECT_EQ(w.frmLAN[6].caption, "Cut-Off");
        // The forced choice goes through the handler, which paints it red.
        EXPECT_EQ(w.optTRA[0].foreColour, ui::kRed);
    }
}

TEST(OptionAvailability, WavinessCaptionIsFhUntilAnotherProfileIsChosen) {
    RulesPanel p;
    p.window.optCUV.click(3);
    EXPECT_EQ(p.window.frmLAN[6].caption, "fh");
    p.window.optCUV.click(2);
    EXPECT_EQ(p.window.frmLAN[6].caption, "Cut-Off");
}

TEST(OptionAvailability, ArbitraryLengthTurnsPrePostOffAndTheSectionCountGivesItBack) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    ASSERT_TRUE(w.optTRA.isSelected(1));
    w.optSCT.click(6);
    EXPECT_TRUE(w.optTRA.isSelected(0));
    EXPECT_FALSE(w.frmLAN[14].enabled || w.optTRA[0].enabled || w.optTRA[1].enabled);
    w.optSCT.click(3);
    EXPECT_TRUE(w.frmLAN[14].enabled && w.optTRA[0].enabled && w.optTRA[1].enabled);
    EXPECT_TRUE(w.optTRA.isSelected(0)) << "the rules never select ON";
}

TEST(OptionAvailability, RoughnessWithLengthRunsTheLengthRuleAndWavinessTheSpeeds) {
    // mm length 3: the length rule chooses the speed 0.5, the speed table
    // leaves the operator's 0.05 alone.
    RulesPanel r;
    r.window.optSPD.click(0);
    r.arbitraryLength(2, "mm", "3");
    EXPECT_TRUE(r.window.optCUT.isSelected(3));
    EXPECT_TRUE(r.window.optSPD.isSelected(3));

    RulesPanel w;
    w.window.optSPD.click(0);
    w.arbitraryLength(3, "mm", "3");
    EXPECT_TRUE(w.window.optCUT.isSelected(3));
    EXPECT_TRUE(w.window.optSPD.isSelected(0));
    EXPECT_EQ(w.window.fstrSPD_LIMIT, "5");
}

TEST(OptionAvailability, MotifProfilesDisableTheSectionsSoTheLengthRuleDoesNotRun) {
    RulesPanel p;
    ui::MainWindowModel& w = p.window;
    p.arbitraryLength(2, "mm", "0.3");  // band 1: only 0.08
    ASSERT_TRUE(w.optCUT.isSelected(1));
    w.optCUV.click(5);
    // R MOTIF with A 0.02: the speed table gives the middle set.
    EXPECT_TRUE(w.optSPD[3].enabled);
    EXPECT_FALSE(w.optSPD[4].enabled);
    EXPECT_EQ(w.fstrSPD_LIMIT, "4");
    EXPECT_TRUE(allEnabled(w.optCUT, 1, 5, false));
}

TEST(OptionAvailability, NoProfileChosenIsAnInternalErrorThatEndsTheProgram) {
    RulesPanel p;
    for (int i = 1; i <= 6; ++i) p.window.optCUV[i].selected = false;
    p.window.fstrSPD_LIMIT = "x";
    EXPECT_THROW(p.rules.applyOptionRules(), lang::ProgramEnded);
    ASSERT_EQ(p.op.messages.size(), 1u);
    EXPECT_EQ(p.op.messages[0].text, "Communication Softwear Error。No.17");
    EXPECT_EQ(p.op.messages[0].title, "Warning");
    EXPECT_EQ(p.op.messages[0].icon, lang::MessageIcon::Stop);
    EXPECT_TRUE(p.op.ended);
    EXPECT_EQ(p.window.fstrSPD_LIMIT, "x") << "no rule runs after the message";
}

TEST(OptionAvailability, JapaneseCatalogGivesItsOwnTextBeforeNo17) {
    RulesPanel p;
    p.catalog.load("J");
    for (int i = 1; i <= 6; ++i) p.window.optCUV[i].selected = false;
    EXPECT_THROW(p.rules.applyOptionRules(), lang::ProgramEnded);
    ASSERT_EQ(p.op.messages.size(), 1u);
    EXPECT_EQ(p.op.messages[0].text, p.catalog.instrumentError(22) + "No.17");
    EXPECT_EQ(p.op.messages[0].title, p.catalog.boxTitle(1));
}

}  // namespace
}  // namespace kt520::testing
