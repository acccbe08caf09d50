#include "ui/PanelForm.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kt520::ui {
namespace {

using namespace conditions;

std::map<std::string, std::string> captions(const ConditionState& state, MainForm& form) {
    showPanel(state, form);
    std::map<std::string, std::string> all = {{"frmLAN6", form.frmLAN[6].caption}};
    for (OptionArray* array : form.optionArrays())
        for (int i : array->indexes()) all[array->name() + std::to_string(i)] = (*array)[i].caption;
    for (int i = 1; i <= 8; ++i) all["lblUnit" + std::to_string(i)] = form.lblUnit[i].caption;
    return all;
}

TEST(PanelForm, CaptionsFollowTheUnitAndTheRules) {
    // clang-format off
    const char* spotChecks[][3] = {
        {"lblUnit1", "mm", "inch"},   {"lblUnit2", "um", "uinch"},  {"lblUnit8", "mm", "inch"},
        {"optCUT1", "0.08", "0.003"}, {"optCUT5", "8", "0.3"},      {"optRNG5", "800", "32000"},
        {"optMTA2", "0.02", "0.001"}, {"optMTB6", "12.5", "0.5"},   {"optSPD2", "0.2", "0.008"},
        {"optSPD5", "2", "0.08"},     {"optFHL1", "0.25", "0.01"},  {"optFHL0", "NON", "NON"},
        {"optSTD3", "DIN 1990", "DIN 1990"}, {"frmLAN6", "Cut-off", "Cut-off"}};
    // clang-format on
    MainForm form;
    ConditionState state;
    const auto millimetres = captions(state, form);
    state.unit.set(Unit::Inch);
    const auto inches = captions(state, form);
    for (const auto& [control, mm, inch] : spotChecks)
        EXPECT_EQ(millimetres.at(control) + "/" + inches.at(control), mm + std::string("/") + inch);
    state.unit.set(Unit::Millimetre);
    EXPECT_EQ(captions(state, form), millimetres) << "back to mm restores every caption";
    state.standardThreeIsVda = true;
    state.cutOffCaption = CutOffCaption::Fh;
    EXPECT_EQ(captions(state, form).at("frmLAN6") + form.optSTD[3].caption, "fhVDA");
    state.cutOffCaption = CutOffCaption::CutOff;
    EXPECT_EQ(captions(state, form).at("frmLAN6"), "Cut-Off");
}

TEST(PanelForm, ChoicesOffersColoursAndTextsComeFromTheState) {
    ConditionState state;
    state.cutOff.set(CutOff::Mm2_5);
    state.speed.enable(Speed::Mm1, false);
    state.motifA.set(MotifA::Mm0_5);
    state.frames.enable(conditions::Frame::Tilt, false);
    state.tiltEnabled = false;
    state.tiltCompensation = true;
    state.lengthText = "12.5";
    state.motifLengthTexts[1] = "3.2";
    state.motifLengthEnabled[2] = false;
    state.speedSuffix = SpeedSuffix::Four;
    state.cutLock = CutLock::Released;
    MainForm form;
    showPanel(state, form);
    const std::string hidden = " optSCT2 optSCT4 optSPD2 optSPD5 optMTA0 optMTB0 optMTB2 optFLT4 ";
    for (OptionArray* array : form.optionArrays())
        for (int i : array->indexes()) {
            const std::string entry = " " + array->name() + std::to_string(i) + " ";
            const OptionButton& button = (*array)[i];
            EXPECT_EQ(button.visible, hidden.find(entry) == std::string::npos) << entry;
            EXPECT_EQ(button.foreColour, button.selected ? kRed : kHighlightText) << entry;
        }
    EXPECT_TRUE(form.optCUT[4].selected && !form.optCUT[3].selected);
    EXPECT_TRUE(form.optSPD[3].enabled && !form.optSPD[4].enabled && !form.optFLT[4].enabled);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(form.txtALEN[k].backColour, k == 3 ? kRed : kHighlightText) << "A 0.5: box 3";
        EXPECT_EQ(form.txtALEN[k].enabled, k != 3);
    }
    EXPECT_EQ(form.txtALEN[2].text + " " + form.txtLENG.text, "3.2 12.5");
    EXPECT_TRUE(!form.frmLAN[13].enabled && form.frmLAN[6].enabled);
    EXPECT_TRUE(form.chkKTM.checked && !form.chkKTM.enabled);
    EXPECT_EQ(form.fstrSPD_LIMIT + form.fstrCUT_LOCK, "4OK");
    // The form passes on clicks only on the entries the panel offers and shows.
    std::string clicks;
    form.optSPD.onClick = [&clicks](int code) { clicks += std::to_string(code); };
    for (int code : {4, 2, 3}) form.optSPD.click(code);
    EXPECT_EQ(clicks, "3");
    // A click on an option array of the form reaches its group.
    EXPECT_EQ(itemOfArray(form, form.optCUT), Item::CutOff);
    EXPECT_EQ(itemOfArray(form, form.optFHL), Item::LongWave);
    EXPECT_EQ(itemOfArray(form, form.optCUW), Item::CsvSave);
    EXPECT_EQ(itemOfArray(form, OptionArray("optCUT", 1, 5)), std::nullopt) << "another form's";
}

}  // namespace
}  // namespace kt520::ui
