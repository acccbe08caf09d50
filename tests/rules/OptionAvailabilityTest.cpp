// Which frames and options each profile offers, and which rule then decides
// the cut-off and speeds.
#include <gtest/gtest.h>

#include <string>

#include "RulesPanel.h"
#include "lang/Operator.h"

namespace kt520::testing {
namespace {

bool allEnabled(const ui::OptionArray& array, int from, bool enabled) {
    for (int i : array.indexes())
        if (i >= from && array[i].enabled != enabled) return false;
    return true;
}

TEST(OptionAvailability, ChoosingAProfileSetsEveryFrameAndOptionOfItsRow) {
    struct Row {
        int profile;
        std::string caption;
        bool filter, cutOff, sections, frameA, optionsA, frameB, optionsB, fl, prePost, motifs;
    };
    const Row rows[] = {
        {1, "Cut-Off", false, true, true, false, false, false, false, false, false, false},
        {2, "Cut-Off", true, true, true, false, false, false, false, false, true, false},
        {3, "fh", true, true, true, false, false, false, false, true, true, false},
        {4, "Cut-Off", true, true, true, false, false, false, false, false, true, false},
        {5, "Cut-Off", false, false, false, true, true, true, false, false, false, true},
        {6, "Cut-Off", false, false, false, true, false, true, true, false, false, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE("profile " + std::to_string(row.profile));
        RulesPanel p;
        ui::MainWindowModel& w = p.window;
        w.optCUV.click(row.profile);
        EXPECT_EQ(w.frmLAN[4].enabled, row.filter);
        EXPECT_TRUE(allEnabled(w.optFLT, 1, row.filter));  // hidden "NON" included
        EXPECT_EQ(w.frmLAN[6].enabled, row.cutOff);
        EXPECT_EQ(w.frmLAN[6].caption, row.caption);
        EXPECT_EQ(w.frmLAN[8].enabled, row.sections);
        EXPECT_TRUE(allEnabled(w.optSCT, 1, row.sections));
        EXPECT_EQ(w.frmLAN[9].enabled, row.frameA);
        EXPECT_TRUE(allEnabled(w.optMTA, 2, row.optionsA));
        EXPECT_EQ(w.frmLAN[10].enabled, row.frameB);
        EXPECT_TRUE(allEnabled(w.optMTB, 2, row.optionsB));
        EXPECT_EQ(w.frmLAN[16].enabled, row.fl);
        EXPECT_EQ(w.frmLAN[14].enabled, row.prePost);
        EXPECT_TRUE(allEnabled(w.optTRA, 0, row.prePost));
        // Pre/post travel forced off goes through the handler, which paints it red.
        if (!row.prePost) {
            EXPECT_EQ(w.optTRA[0].foreColour, ui::kRed);
        }
        EXPECT_EQ(w.optTRA.isSelected(0), !row.prePost);
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(w.txtALEN[k].enabled, row.motifs) << k;
        // "W" limits its cut-offs and fl further; the others take the row.
        if (row.profile != 3) {
            EXPECT_TRUE(allEnabled(w.optCUT, 1, row.cutOff));
            EXPECT_TRUE(allEnabled(w.optFHL, 0, false));
        }
    }
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

TEST(OptionAvailability, TheLengthRuleRunsOnlyForProfilesWithSectionsOtherThanWaviness) {
    // 3 mm: the length rule chooses 0.5 mm/s; the speed table leaves 0.05.
    for (int profile : {2, 3}) {
        RulesPanel p;
        p.window.optSPD.click(0);
        p.arbitraryLength(profile, "mm", "3");
        EXPECT_TRUE(p.window.optCUT.isSelected(3)) << profile;
        EXPECT_TRUE(p.window.optSPD.isSelected(profile == 2 ? 3 : 0)) << profile;
    }
    // R MOTIF disables the sections: its A limit 0.02 gives the middle speeds
    // although the length 0.3 held the cut-off 0.08.
    RulesPanel p;
    p.arbitraryLength(2, "mm", "0.3");
    p.window.optCUV.click(5);
    EXPECT_TRUE(p.window.optSPD[3].enabled);
    EXPECT_FALSE(p.window.optSPD[4].enabled);
    EXPECT_TRUE(allEnabled(p.window.optCUT, 1, false));
}

TEST(OptionAvailability, NoProfileChosenIsAnInternalErrorThatEndsTheProgram) {
    for (const char* language : {"E", "J"}) {
        RulesPanel p;
        p.catalog.load(language);
        for (int i = 1; i <= 6; ++i) p.window.optCUV[i].selected = false;
        p.window.fstrSPD_LIMIT = "x";
        EXPECT_THROW(p.rules.applyOptionRules(), lang::ProgramEnded);
        ASSERT_EQ(p.op.messages.size(), 1u);
        EXPECT_EQ(p.op.messages[0].text, p.catalog.internalError());
        EXPECT_EQ(p.op.messages[0].title, p.catalog.boxTitle(1));
        EXPECT_EQ(p.op.messages[0].icon, lang::MessageIcon::Stop);
        EXPECT_TRUE(p.op.ended);
        EXPECT_EQ(p.window.fstrSPD_LIMIT, "x") << "no rule runs after the message";
        if (std::string(language) == "E") {
            EXPECT_EQ(p.op.messages[0].text, "Communication Softwear Error。No.17");
        }
    }
}

}  // namespace
}  // namespace kt520::testing
