#include "ui/PanelForm.h"

namespace kt520::ui {
namespace {

using conditions::Item;

struct ArrayOfItem {
    Item item;
    OptionArray MainForm::*array;
};
constexpr ArrayOfItem kArrays[] = {
    {Item::Unit, &MainForm::optUNT},       {Item::Standard, &MainForm::optSTD},
    {Item::Profile, &MainForm::optCUV},    {Item::Filter, &MainForm::optFLT},
    {Item::CutOff, &MainForm::optCUT},     {Item::Sections, &MainForm::optSCT},
    {Item::Range, &MainForm::optRNG},      {Item::Speed, &MainForm::optSPD},
    {Item::PrePost, &MainForm::optTRA},    {Item::OverRange, &MainForm::optORT},
    {Item::MotifA, &MainForm::optMTA},     {Item::MotifB, &MainForm::optMTB},
    {Item::LongWave, &MainForm::optFHL},   {Item::Anx, &MainForm::optANX},
    {Item::AutoReturn, &MainForm::optART}, {Item::CsvSave, &MainForm::optCUW},
};

OptionArray& arrayOf(MainForm& form, Item item) {
    for (const ArrayOfItem& each : kArrays)
        if (each.item == item) return form.*each.array;
    return form.optUNT;  // every group has its array above
}

// The captions that follow the unit; the codes behind them never change.
struct UnitCaption {
    Item item;
    int code;
    const char* millimetre;
    const char* inch;
};
constexpr UnitCaption kUnitCaptions[] = {
    {Item::CutOff, 1, "0.08", "0.003"},  {Item::CutOff, 2, "0.25", "0.01"},
    {Item::CutOff, 3, "0.8", "0.03"},    {Item::CutOff, 4, "2.5", "0.1"},
    {Item::CutOff, 5, "8", "0.3"},       {Item::Range, 5, "800", "32000"},
    {Item::Range, 6, "80", "3200"},      {Item::Range, 7, "8", "320"},
    {Item::MotifA, 2, "0.02", "0.001"},  {Item::MotifA, 3, "0.1", "0.004"},
    {Item::MotifA, 4, "0.5", "0.02"},    {Item::MotifA, 5, "2.5", "0.1"},
    {Item::MotifB, 3, "0.1", "0.004"},   {Item::MotifB, 4, "0.5", "0.02"},
    {Item::MotifB, 5, "2.5", "0.1"},     {Item::MotifB, 6, "12.5", "0.5"},
    {Item::Speed, 0, "0.05", "0.002"},   {Item::Speed, 1, "0.1", "0.004"},
    {Item::Speed, 2, "0.2", "0.008"},    {Item::Speed, 3, "0.5", "0.02"},
    {Item::Speed, 4, "1", "0.04"},       {Item::Speed, 5, "2", "0.08"},
    {Item::LongWave, 1, "0.25", "0.01"}, {Item::LongWave, 2, "0.8", "0.03"},
    {Item::LongWave, 3, "2.5", "0.1"},   {Item::LongWave, 4, "8", "0.3"},
};
constexpr int kRangeLabel = 2;
constexpr int kStandardVda = 3;

void showChoices(const conditions::ConditionState& state, MainForm& form) {
    conditions::forEachGroup(state, [&form](Item item, const auto& choice) {
        OptionArray& array = arrayOf(form, item);
        for (const auto entry : choice.entries()) {
            OptionButton& button = array[conditions::codeOf(entry)];
            button.selected = choice.is(entry);
            button.enabled = choice.enabled(entry);
            // The entries in force are red, so the operator sees them at a glance.
            button.foreColour = button.selected ? kRed : kHighlightText;
        }
    });
}

void showCaptions(const conditions::ConditionState& state, MainForm& form) {
    const bool millimetres = state.unit.is(conditions::Unit::Millimetre);
    for (int i = form.lblUnit.first(); i <= form.lblUnit.last(); ++i)
        form.lblUnit[i].caption = unitLabelCaptions(i)[millimetres ? 0 : 1];
    for (const UnitCaption& caption : kUnitCaptions)
        arrayOf(form, caption.item)[caption.code].caption =
            millimetres ? caption.millimetre : caption.inch;
    if (state.standardThreeIsVda) form.optSTD[kStandardVda].caption = "VDA";
    if (state.cutOffCaption) {
        const bool fh = *state.cutOffCaption == conditions::CutOffCaption::Fh;
        form.frmLAN[conditions::codeOf(conditions::Frame::CutOff)].caption = fh ? "fh" : "Cut-Off";
    }
}

void showLengths(const conditions::ConditionState& state, MainForm& form) {
    form.txtLENG.text = state.lengthText;
    form.txtLENG.toolTip = state.lengthRangeHint;
    // The box of the motif length that goes with the chosen A limit is red.
    const int redBox = state.motifA.codeOrZero(2) - 1;
    for (int k = form.txtALEN.first(); k <= form.txtALEN.last(); ++k) {
        const auto slot = static_cast<std::size_t>(k - 1);
        TextBox& box = form.txtALEN[k];
        box.text = state.motifLengthTexts[slot];
        box.enabled = state.motifLengthEnabled[slot];
        box.backColour = k == redBox ? kRed : kHighlightText;
    }
}

}  // namespace

void showPanel(const conditions::ConditionState& state, MainForm& form) {
    showChoices(state, form);
    showCaptions(state, form);
    for (conditions::Frame frame : conditions::kSwitchedFrames)
        form.frmLAN[conditions::codeOf(frame)].enabled = state.frames.enabled(frame);
    showLengths(state, form);
    form.chkKTM.checked = state.tiltCompensation;
    form.chkKTM.enabled = state.tiltEnabled;
    form.fstrSPD_LIMIT = conditions::speedSuffixText(state.speedSuffix);
    form.fstrCUT_LOCK = conditions::cutLockText(state.cutLock);
}

std::optional<Item> itemOfArray(const MainForm& form, const OptionArray& array) {
    for (const ArrayOfItem& each : kArrays)
        if (&(form.*each.array) == &array) return each.item;
    return std::nullopt;
}

std::vector<std::string> unitCaptions(const MainForm& form, const OptionArray& array, int code) {
    const std::optional<Item> item = itemOfArray(form, array);
    for (const UnitCaption& caption : kUnitCaptions)
        if (item == caption.item && code == caption.code) return {caption.millimetre, caption.inch};
    return {};
}

std::vector<std::string> unitLabelCaptions(int index) {
    if (index == kRangeLabel) return {"um", "uinch"};
    return {"mm", "inch"};
}

}  // namespace kt520::ui
