#include "conditions/ConditionPanel.h"

#include <gtest/gtest.h>

#include <map>

#include "ConditionFixtures.h"
#include "support/RecordingOperator.h"

namespace kt520::conditions {
namespace {

using ui::kHighlightText;
using ui::kRed;
using ui::OptionArray;

class ConditionPanelTest : public ::testing::Test {
  protected:
    ConditionPanelTest() {
        catalog.load("E");
        model.romVersion = 1103;
        model.modelKind = 2;
        model.driveRange = 50.8f;
        panel.installHandlers();
    }

    // A reply-shaped set of the model's firmware holding these items.
    ConditionSet setOf(const std::map<int, std::string>& items, std::string length = "4") {
        ConditionLayouts layouts;
        layouts.prepareConditionLayouts(model.romVersion);
        ConditionSet set;
        set.fields = layouts.reply.cut(testing::conditionRecord(layouts.reply, items), 2);
        set.evaluationLengthText = std::move(length);
        return set;
    }

    // The chosen entry red and every other entry from `from` up not red.
    static void expectShown(const OptionArray& array, int entry, int from) {
        SCOPED_TRACE(array.name());
        EXPECT_EQ(array.selectedFrom(from), entry);
        for (int i : array.indexes()) {
            if (i >= from) {
                EXPECT_EQ(array[i].foreColour, i == entry ? kRed : kHighlightText) << i;
            }
        }
    }

    std::map<std::string, int> selections() {
        std::map<std::string, int> chosen;
        for (OptionArray* array : window.optionArrays()) chosen[array->name()] = array->selected();
        return chosen;
    }

    ui::MainWindowModel window;
    link::ModelInfo model;
    testing::RecordingOperator op;
    lang::MessageCatalog catalog;
    rules::ConditionRules rules{window, model, op, catalog};
    ConditionPanel panel{window, model, rules};
};

TEST_F(ConditionPanelTest, ShowConditionsSelectsEveryItemAndPaintsItRed) {
    panel.showConditions(setOf({{1, "4"},
                                {2, "3"},
                                {3, "2"},
                                {4, "3"},
                                {5, "6"},
                                {6, "5"},
                                {32, "4"},
                                {12, "1"},
                                {30, "3"},
                                {31, "4"},
                                {22, "0"},
                                {10, "1"},
                                {37, "2"},
                                {29, "0"}},
                               "7.5"));
    expectShown(window.optCUT, 4, 1);
    expectShown(window.optSCT, 3, 1);
    expectShown(window.optCUV, 2, 1);
    expectShown(window.optFLT, 3, 1);
    expectShown(window.optSTD, 6, 1);
    expectShown(window.optRNG, 5, 5);
    expectShown(window.optORT, 4, 1);
    expectShown(window.optUNT, 1, 1);
    expectShown(window.optMTA, 3, 2);
    expectShown(window.optMTB, 4, 2);
    expectShown(window.optTRA, 0, 0);
    expectShown(window.optSPD, 1, 0);
    expectShown(window.optART, 2, 1);
    expectShown(window.optFHL, 0, 0);
    EXPECT_EQ(window.txtLENG.text, "7.5");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(ConditionPanelTest, ArbitraryLengthShowsAsEntrySixAndTheSetKeepsL) {
    ConditionSet set = setOf({{1, "3"}, {2, "L"}, {3, "2"}, {12, "1"}, {10, "3"}}, "4");
    panel.showConditions(set);
    expectShown(window.optSCT, 6, 1);
    EXPECT_EQ(set.fields[2], "L");
    EXPECT_EQ(window.txtLENG.text, "4");
}

TEST_F(ConditionPanelTest, MotifLengthsAndAnxFollowTheModelKind) {
    const std::map<int, std::string> items = {
        {1, "3"}, {2, "3"}, {3, "2"}, {12, "1"}, {38, " 0.64,  3.2, 16.0, 25.4"}, {39, "1"}};

    model.modelKind = 1;
    panel.showConditions(setOf(items));
    EXPECT_EQ(window.txtALEN[1].text, "0.3-0.64mm 0.012'-0.025'");
    EXPECT_TRUE(window.optANX.isSelected(0));

    model.modelKind = 2;
    panel.showConditions(setOf(items));
    EXPECT_EQ(window.txtALEN[1].text, " 0.64");
    EXPECT_EQ(window.txtALEN[2].text, "  3.2");
    EXPECT_EQ(window.txtALEN[3].text, " 16.0");
    EXPECT_EQ(window.txtALEN[4].text, " 25.4");
    EXPECT_TRUE(window.optANX.isSelected(0));

    model.modelKind = 3;
    panel.showConditions(setOf(items));
    expectShown(window.optANX, 1, 0);
}

TEST_F(ConditionPanelTest, AnEmptyReadBackLeavesThePanelAsItWas) {
    window.txtLENG.setText("6.2");
    const auto before = selections();
    panel.showConditions(ConditionSet{});
    EXPECT_EQ(selections(), before);
    EXPECT_EQ(window.txtLENG.text, "6.2");
    EXPECT_EQ(window.txtALEN[2].text, "0.7-3.2mm 0.028'-0.126'");

    panel.showConditions(setOf({}, ""));  // every code "." names no entry
    EXPECT_EQ(selections(), before);
    EXPECT_EQ(window.txtLENG.text, "6.2");
}

TEST_F(ConditionPanelTest, ShortDriveTakesEightMillimetreCutOffWithThreeSectionsAndNoTravel) {
    model.driveRange = 25.4f;
    window.optSCT.click(5);
    window.optCUT.click(5);
    expectShown(window.optSCT, 3, 1);
    expectShown(window.optTRA, 0, 0);
}

TEST_F(ConditionPanelTest, LongerDriveKeepsSectionsAndTravelAtEightMillimetres) {
    window.optSCT.click(5);
    window.optCUT.click(5);
    EXPECT_TRUE(window.optSCT.isSelected(5));
    EXPECT_TRUE(window.optTRA.isSelected(1));

    model.driveRange = 25.4f;
    window.optSCT.click(1);
    window.optCUT.click(4);
    window.optCUT.click(5);
    EXPECT_TRUE(window.optSCT.isSelected(1));
    EXPECT_TRUE(window.optTRA.isSelected(1));
}

TEST_F(ConditionPanelTest, MotifLimitsMoveTogetherAndMarkTheirLengthBox) {
    window.optCUV.click(5);  // R MOTIF offers the A limits
    window.optMTA.click(4);
    expectShown(window.optMTA, 4, 2);
    expectShown(window.optMTB, 5, 2);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(window.txtALEN[k].backColour, k == 3 ? kRed : kHighlightText) << k;

    window.optCUV.click(6);  // W MOTIF offers the B limits
    window.optMTB.click(6);
    expectShown(window.optMTA, 5, 2);
    expectShown(window.optMTB, 6, 2);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(window.txtALEN[k].backColour, k == 4 ? kRed : kHighlightText) << k;
}

TEST_F(ConditionPanelTest, ColouringWalkStartsAtTheArraysFirstCode) {
    window.optMTA[0].foreColour = 0x123456;
    window.optCUV.click(5);
    window.optMTA.click(3);
    EXPECT_EQ(window.optMTA[0].foreColour, 0x123456u);
    window.optSTD.click(2);
    expectShown(window.optSTD, 2, 1);
    window.optSPD.click(0);
    expectShown(window.optSPD, 0, 0);
}

TEST_F(ConditionPanelTest, SwitchingCsvSavingOffDisablesTiltCompensation) {
    window.optCUW.click(2);
    EXPECT_FALSE(window.chkKTM.enabled);
    EXPECT_FALSE(window.frmLAN[13].enabled);
    EXPECT_EQ(window.optCUW[2].foreColour, kRed);
    EXPECT_EQ(window.optCUW[1].foreColour, kHighlightText);

    window.optCUW.click(1);
    EXPECT_TRUE(window.chkKTM.enabled);
    EXPECT_TRUE(window.frmLAN[13].enabled);
    EXPECT_EQ(window.optCUW[1].foreColour, kRed);
    EXPECT_EQ(window.optCUW[2].foreColour, kHighlightText);
}

TEST_F(ConditionPanelTest, HandlersRunTheOptionRules) {
    window.optCUV.click(1);  // P: pre/post travel forced OFF
    EXPECT_TRUE(window.optTRA.isSelected(0));
    EXPECT_FALSE(window.frmLAN[14].enabled);

    window.optCUV.click(2);
    window.optSCT.click(6);
    window.txtLENG.setText("0.3");  // band of the 0.08 mm cut-off
    EXPECT_TRUE(window.optCUT.isSelected(1));
}

TEST_F(ConditionPanelTest, CutOffLeavesTheRulesAloneWhileTheWavinessRuleMovesIt) {
    window.frmLAN[6].caption = "unset";
    window.fstrCUT_LOCK = "NG";
    window.optCUT.click(2);
    EXPECT_EQ(window.frmLAN[6].caption, "unset");

    window.fstrCUT_LOCK = "OK";
    window.optCUT.click(3);
    EXPECT_EQ(window.frmLAN[6].caption, "Cut-Off");
}

TEST_F(ConditionPanelTest, UnitRoundTripRestoresEveryCaptionAndConvertsTheLengthOnce) {
    std::map<std::string, std::string> designed;
    auto captions = [this] {
        std::map<std::string, std::string> all;
        for (OptionArray* array : window.optionArrays())
            for (int i : array->indexes())
                all[array->name() + std::to_string(i)] = (*array)[i].caption;
        for (int i = 1; i <= 8; ++i) all["lblUnit" + std::to_string(i)] = window.lblUnit[i].caption;
        return all;
    };
    designed = captions();
    designed["optSPD2"] = "0.2";  // hidden speeds get their captions from the switch
    designed["optSPD5"] = "2";
    const auto chosen = selections();
    window.txtLENG.setText("12.7");

    window.optUNT.click(2);
    EXPECT_EQ(window.lblUnit[2].caption, "uinch");
    EXPECT_EQ(window.lblUnit[1].caption, "inch");
    EXPECT_EQ(window.lblUnit[8].caption, "inch");
    EXPECT_EQ(window.optCUT[1].caption, "0.003");
    EXPECT_EQ(window.optRNG[5].caption, "32000");
    EXPECT_EQ(window.optMTA[5].caption, "0.1");
    EXPECT_EQ(window.optMTB[6].caption, "0.5");
    EXPECT_EQ(window.optSPD[5].caption, "0.08");
    EXPECT_EQ(window.optFHL[0].caption, "NON");
    EXPECT_EQ(window.optFHL[4].caption, "0.3");
    EXPECT_EQ(window.txtLENG.text, ".5");
    window.optUNT.click(2);  // the same unit again converts nothing
    EXPECT_EQ(window.txtLENG.text, ".5");

    window.optUNT.click(1);
    EXPECT_EQ(captions(), designed);
    EXPECT_EQ(window.txtLENG.text, "12.7");
    auto after = selections();
    EXPECT_EQ(after, chosen);
}

TEST_F(ConditionPanelTest, DefaultMotifLengthsFollowTheUnit) {
    window.cmdDefault.click();
    EXPECT_EQ(window.txtALEN[1].text, "0.64");
    EXPECT_EQ(window.txtALEN[2].text, "3.2");
    EXPECT_EQ(window.txtALEN[3].text, "16.0");
    EXPECT_EQ(window.txtALEN[4].text, "25.4");
    window.optUNT.click(2);
    window.txtALEN[2].setText("9.99");
    window.cmdDefault.click();
    EXPECT_EQ(window.txtALEN[1].text, "0.025");
    EXPECT_EQ(window.txtALEN[2].text, "0.126");
    EXPECT_EQ(window.txtALEN[3].text, "0.630");
    EXPECT_EQ(window.txtALEN[4].text, "1.000");
}

}  // namespace
}  // namespace kt520::conditions
