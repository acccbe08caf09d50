#include "conditions/ConditionPanel.h"

#include <functional>
#include <string>
#include <string_view>

#include "conditions/UnitCaptions.h"

namespace kt520::conditions {
namespace {

using ui::MainWindowModel;
using ui::OptionArray;

constexpr float kShortDriveRange = 25.4f;
constexpr int kMotifLengthsItem = 38;
constexpr int kAnxItem = 39;
constexpr int kCsvSaveOff = 2;
constexpr int kTiltFrame = 13;  // "M-Profile"

// The chosen entry red, every other one from `from` up in the highlight-text colour.
void paintChoice(OptionArray& array, int from) {
    for (int i : array.indexes()) {
        if (i < from) continue;
        array[i].foreColour = array[i].selected ? ui::kRed : ui::kHighlightText;
    }
}

// The items the read-back puts into the panel, in the order it selects them.
struct ItemArray {
    int item;
    OptionArray MainWindowModel::*array;
};
const ItemArray kShownItems[] = {
    {1, &MainWindowModel::optCUT},  {2, &MainWindowModel::optSCT},  {3, &MainWindowModel::optCUV},
    {4, &MainWindowModel::optFLT},  {5, &MainWindowModel::optSTD},  {6, &MainWindowModel::optRNG},
    {32, &MainWindowModel::optORT}, {12, &MainWindowModel::optUNT}, {30, &MainWindowModel::optMTA},
    {31, &MainWindowModel::optMTB}, {22, &MainWindowModel::optTRA}, {10, &MainWindowModel::optSPD},
    {37, &MainWindowModel::optART}, {29, &MainWindowModel::optFHL},
};

// The entry a one-character code selects, or -1 when the code names none.
// The arbitrary-length code "L" of the sampling lengths is entry 6.
int entryOfCode(const OptionArray& array, std::string_view code) {
    if (code.size() != 1) return -1;
    int index = -1;
    if (code[0] >= '0' && code[0] <= '9') index = code[0] - '0';
    return array.has(index) ? index : -1;
}

void showCode(OptionArray& array, int entry) {
    if (entry < 0) return;
    array.select(entry);
    array[entry].foreColour = ui::kRed;
}

// Mid$ of a 1-based column: whatever of the span the text holds.
std::string columns(const std::string& text, size_t from, size_t width) {
    return from - 1 < text.size() ? text.substr(from - 1, width) : std::string();
}

}  // namespace

ConditionPanel::ConditionPanel(MainWindowModel& window, const link::ModelInfo& model,
                               rules::ConditionRules& rules)
    : window_(window), model_(model), rules_(rules) {}

void ConditionPanel::installHandlers() {
    auto bind = [](OptionArray& array, int from, std::function<void()> then) {
        array.onClick = [&array, from, then = std::move(then)](int) {
            paintChoice(array, from);
            if (then) then();
        };
    };
    auto applyRules = [this] { rules_.applyOptionRules(); };
    MainWindowModel& w = window_;

    bind(w.optUNT, 1, [this] { onUnitClicked(); });
    for (OptionArray* plain : {&w.optSTD, &w.optFLT, &w.optORT, &w.optART}) bind(*plain, 1, {});
    bind(w.optRNG, 5, {});
    for (OptionArray* plain : {&w.optTRA, &w.optFHL, &w.optSPD, &w.optANX}) bind(*plain, 0, {});
    bind(w.optCUV, 1, applyRules);
    bind(w.optSCT, 1, applyRules);
    bind(w.optCUT, 1, [this] { onCutOffClicked(); });
    bind(w.optMTA, 2, [this] { onMotifAClicked(); });
    bind(w.optMTB, 2, [this] { onMotifBClicked(); });
    w.optCUW.onClick = [this](int) { onCsvSaveClicked(); };
    w.txtLENG.onChange = applyRules;
    w.cmdDefault.onClick = [this] { restoreMotifLengths(); };
    unitShown_ = w.optUNT.selectedFrom(1);
}

void ConditionPanel::onUnitClicked() {
    switchUnitCaptions();
    const int unit = window_.optUNT.selectedFrom(1);
    // The entries hold values of the unit shown before; a second click on the
    // same unit must not convert them again.
    if (unit == unitShown_) return;
    unitShown_ = unit;
    rules_.convertLengthEntry(unit);
    if (offersMotifs()) rules_.convertMotifLengths(unit);
}

void ConditionPanel::onCutOffClicked() {
    applyShortDriveRule();
    if (window_.fstrCUT_LOCK != "NG") rules_.applyOptionRules();
}

// Five 8 mm sampling lengths do not fit a 25.4 mm drive, and three fit only
// without pre/post travel.
void ConditionPanel::applyShortDriveRule() {
    if (model_.driveRange != kShortDriveRange) return;
    MainWindowModel& w = window_;
    if (w.optCUT.isSelected(5) && w.optSCT.isSelected(5)) w.optSCT.select(3);
    if (w.optCUT.isSelected(5) && w.optSCT.isSelected(3)) w.optTRA.select(0);
}

// A limit i belongs with B limit i + 1 and the motif length box i - 1.
void ConditionPanel::onMotifAClicked() {
    const int a = window_.optMTA.selectedFrom(2);
    if (a < 0) return;
    if (window_.optMTB.has(a + 1)) window_.optMTB.select(a + 1);
    paintMotifLengthBoxes(a - 1);
}

void ConditionPanel::onMotifBClicked() {
    const int b = window_.optMTB.selectedFrom(2);
    if (b >= 0) {
        if (window_.optMTA.has(b - 1)) window_.optMTA.select(b - 1);
        paintMotifLengthBoxes(b - 2);
    }
    rules_.applyOptionRules();
}

void ConditionPanel::paintMotifLengthBoxes(int redBox) {
    for (int k = window_.txtALEN.first(); k <= window_.txtALEN.last(); ++k)
        window_.txtALEN[k].backColour = (k == redBox) ? ui::kRed : ui::kHighlightText;
}

// Tilt compensation works on the saved CSV data, so it goes with the saving.
void ConditionPanel::onCsvSaveClicked() {
    MainWindowModel& w = window_;
    const bool saving = !w.optCUW.isSelected(kCsvSaveOff);
    w.optCUW[1].foreColour = saving ? ui::kRed : ui::kHighlightText;
    w.optCUW[2].foreColour = saving ? ui::kHighlightText : ui::kRed;
    w.frmLAN[kTiltFrame].enabled = saving;
    w.chkKTM.enabled = saving;
}

bool ConditionPanel::offersMotifs() const {
    return model_.modelKind == 2 || model_.modelKind == 3;
}

void ConditionPanel::showConditions(const ConditionSet& set) {
    showConditions(set, ItemFieldMap(model_.romVersion));
}

void ConditionPanel::showConditions(const ConditionSet& set, const ItemFieldMap& items) {
    MainWindowModel& w = window_;
    for (const auto& [item, array] : kShownItems) {
        const std::string code = itemText(set, items, item);
        OptionArray& options = w.*array;
        showCode(options, item == 2 && code == "L" ? 6 : entryOfCode(options, code));
    }
    // Nothing came back: keep the operator's entries rather than empty them.
    if (!set.evaluationLengthText.empty()) w.txtLENG.setText(set.evaluationLengthText);
    if (!offersMotifs()) return;

    const std::string lengths = itemText(set, items, kMotifLengthsItem);
    if (!lengths.empty()) {
        w.txtALEN[1].setText(columns(lengths, 1, 5));
        w.txtALEN[2].setText(columns(lengths, 7, 5));
        w.txtALEN[3].setText(columns(lengths, 13, 5));
        w.txtALEN[4].setText(lengths.size() > 5 ? lengths.substr(lengths.size() - 5) : lengths);
    }
    if (model_.modelKind == 3)
        showCode(w.optANX, entryOfCode(w.optANX, itemText(set, items, kAnxItem)));
}

void ConditionPanel::switchUnitCaptions() {
    conditions::switchUnitCaptions(window_);
}

void ConditionPanel::restoreMotifLengths() {
    const bool millimetres = window_.optUNT.isSelected(1);
    const char* const mm[] = {"0.64", "3.2", "16.0", "25.4"};
    const char* const inch[] = {"0.025", "0.126", "0.630", "1.000"};
    for (int k = 1; k <= 4; ++k) window_.txtALEN[k].setText(millimetres ? mm[k - 1] : inch[k - 1]);
}

}  // namespace kt520::conditions
