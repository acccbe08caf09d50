#include "conditions/ConditionPanel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ConditionFixtures.h"
#include "support/RecordingOperator.h"

namespace kt520::conditions {
namespace {

using ui::kHighlightText;
using ui::kRed;
using ui::MainWindowModel;
using ui::OptionArray;
using Texts = std::vector<std::string>;

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

    Texts motifTexts() const {
        Texts texts;
        for (int k = 1; k <= 4; ++k) texts.push_back(window.txtALEN[k].text);
        return texts;
    }

    MainWindowModel window;
    link::ModelInfo model;
    testing::RecordingOperator op;
    lang::MessageCatalog catalog;
    rules::ConditionRules rules{window, model, op, catalog};
    ConditionPanel panel{window, model, rules};
};

TEST_F(ConditionPanelTest, ShowConditionsSelectsEveryItemAndPaintsItRed) {
    struct Shown {
        int item;
        std::string code;
        OptionArray MainWindowModel::*array;
        int entry, from;
    };
    const Shown shown[] = {
        {1, "4", &MainWindowModel::optCUT, 4, 1},  {2, "3", &MainWindowModel::optSCT, 3, 1},
        {3, "2", &MainWindowModel::optCUV, 2, 1},  {4, "3", &MainWindowModel::optFLT, 3, 1},
        {5, "6", &MainWindowModel::optSTD, 6, 1},  {6, "5", &MainWindowModel::optRNG, 5, 5},
        {32, "4", &MainWindowModel::optORT, 4, 1}, {12, "1", &MainWindowModel::optUNT, 1, 1},
        {30, "3", &MainWindowModel::optMTA, 3, 2}, {31, "4", &MainWindowModel::optMTB, 4, 2},
        {22, "0", &MainWindowModel::optTRA, 0, 0}, {10, "1", &MainWindowModel::optSPD, 1, 0},
        {37, "2", &MainWindowModel::optART, 2, 1}, {29, "0", &MainWindowModel::optFHL, 0, 0}};
    std::map<int, std::string> items;
    for (const Shown& s : shown) items[s.item] = s.code;
    panel.showConditions(setOf(items, "7.5"));
    for (const Shown& s : shown) expectShown(window.*s.array, s.entry, s.from);
    EXPECT_EQ(window.txtLENG.text, "7.5");
    EXPECT_TRUE(op.messages.empty());

    ConditionSet arbitrary = setOf({{1, "3"}, {2, "L"}, {3, "2"}, {12, "1"}, {10, "3"}}, "4");
    panel.showConditions(arbitrary);
    expectShown(window.optSCT, 6, 1);
    EXPECT_EQ(arbitrary.fields[2], "L") << "the set keeps the code";
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
    EXPECT_EQ(motifTexts(), (Texts{" 0.64", "  3.2", " 16.0", " 25.4"}));
    EXPECT_TRUE(window.optANX.isSelected(0));
    model.modelKind = 3;
    panel.showConditions(setOf(items));
    expectShown(window.optANX, 1, 0);
}

TEST_F(ConditionPanelTest, AnEmptyReadBackLeavesThePanelAsItWas) {
    window.txtLENG.setText("6.2");
    const auto before = selections();
    const Texts motifsBefore = motifTexts();
    for (const ConditionSet& set : {ConditionSet{}, setOf({}, "")}) {  // "." names no entry
        panel.showConditions(set);
        EXPECT_EQ(selections(), before);
        EXPECT_EQ(window.txtLENG.text, "6.2");
        if (set.fields.empty()) {
            EXPECT_EQ(motifTexts(), motifsBefore);
        }
    }
}

TEST_F(ConditionPanelTest, EightMillimetreCutOffOnTheShortDriveTakesThreeSectionsAndNoTravel) {
    struct Case {
        float drive;
        int sections, sectionsAfter, travelAfter;
    };
    const Case cases[] = {{25.4f, 5, 3, 0}, {25.4f, 3, 3, 0}, {25.4f, 1, 1, 1}, {50.8f, 5, 5, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.drive) + " mm, sections " + std::to_string(c.sections));
        model.driveRange = c.drive;
        window.optTRA.click(1);
        window.optCUT.click(4);
        window.optSCT.click(c.sections);
        window.optCUT.click(5);
        expectShown(window.optSCT, c.sectionsAfter, 1);
        expectShown(window.optTRA, c.travelAfter, 0);
    }
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
    window.optMTA[0].foreColour = 0x123456;  // below the first code: never painted
    window.optCUV.click(5);
    window.optMTA.click(3);
    EXPECT_EQ(window.optMTA[0].foreColour, 0x123456u);
}

TEST_F(ConditionPanelTest, SwitchingCsvSavingOffDisablesTiltCompensation) {
    for (int saving : {2, 1}) {
        window.optCUW.click(saving);
        EXPECT_EQ(window.chkKTM.enabled, saving == 1);
        EXPECT_EQ(window.frmLAN[13].enabled, saving == 1);
        EXPECT_EQ(window.optCUW[saving].foreColour, kRed);
        EXPECT_EQ(window.optCUW[3 - saving].foreColour, kHighlightText);
    }
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
    auto captions = [this] {
        std::map<std::string, std::string> all;
        for (OptionArray* array : window.optionArrays())
            for (int i : array->indexes())
                all[array->name() + std::to_string(i)] = (*array)[i].caption;
        for (int i = 1; i <= 8; ++i) all["lblUnit" + std::to_string(i)] = window.lblUnit[i].caption;
        return all;
    };
    auto designed = captions();
    designed["optSPD2"] = "0.2";  // hidden speeds get their captions from the switch
    designed["optSPD5"] = "2";
    const auto chosen = selections();
    window.txtLENG.setText("12.7");
    window.optUNT.click(2);
    const auto inch = captions();
    const std::map<std::string, std::string> spotChecks = {
        {"lblUnit1", "inch"}, {"lblUnit2", "uinch"}, {"optCUT1", "0.003"}, {"optRNG5", "32000"},
        {"optSPD5", "0.08"},  {"optFHL0", "NON"},    {"optFHL4", "0.3"}};
    for (const auto& [control, caption] : spotChecks)
        EXPECT_EQ(inch.at(control), caption) << control;
    EXPECT_EQ(window.txtLENG.text, ".5");
    window.optUNT.click(2);  // the same unit again converts nothing
    EXPECT_EQ(window.txtLENG.text, ".5");
    window.optUNT.click(1);
    EXPECT_EQ(captions(), designed);
    EXPECT_EQ(window.txtLENG.text, "12.7");
    EXPECT_EQ(selections(), chosen);
}

TEST_F(ConditionPanelTest, DefaultMotifLengthsFollowTheUnit) {
    window.cmdDefault.click();
    EXPECT_EQ(motifTexts(), (Texts{"0.64", "3.2", "16.0", "25.4"}));
    window.optUNT.click(2);
    window.txtALEN[2].setText("9.99");
    window.cmdDefault.click();
    EXPECT_EQ(motifTexts(), (Texts{"0.025", "0.126", "0.630", "1.000"}));
}

}  // namespace
}  // namespace kt520::conditions
