#include "conditions/ConditionPanel.h"

#include <optional>
#include <string>
#include <utility>

namespace kt520::conditions {
namespace {

constexpr float kShortDriveRange = 25.4f;

// The items the read-back puts into the panel, in the order it chooses them.
constexpr Item kShownItems[] = {
    Item::CutOff,  Item::Sections,  Item::Profile,    Item::Filter,   Item::Standard,
    Item::Range,   Item::OverRange, Item::Unit,       Item::MotifA,   Item::MotifB,
    Item::PrePost, Item::Speed,     Item::AutoReturn, Item::LongWave,
};

// f(choice) on the group of `item`.
template <typename F>
void onGroup(ConditionState& state, Item item, F&& f) {
    forEachGroup(state, [&](Item each, auto& choice) {
        if (each == item) f(choice);
    });
}

// The entry code a one-character read-back code names, if any; the
// arbitrary length "L" is entry 6 of the sampling lengths.
std::optional<int> entryCode(Item item, const std::string& code) {
    if (item == Item::Sections && code == "L") return codeOf(Sections::Arbitrary);
    if (code.size() != 1 || code[0] < '0' || code[0] > '9') return std::nullopt;
    return code[0] - '0';
}

// The span from a 1-based column, as much of it as the text holds.
std::string columns(const std::string& text, std::size_t from, std::size_t width) {
    return from - 1 < text.size() ? text.substr(from - 1, width) : std::string();
}

}  // namespace

template <typename F>
void ConditionPanel::changing(F&& body) {
    const bool outermost = depth_ == 0;
    const std::optional<ConditionState> before =
        outermost ? std::optional<ConditionState>(state_) : std::nullopt;
    ++depth_;
    try {
        body();
    } catch (...) {
        --depth_;
        throw;
    }
    --depth_;
    if (outermost && observer_ != nullptr && !(state_ == *before)) observer_->panelChanged();
}

void ConditionPanel::click(Item item, int code) {
    changing([&] {
        bool chosen = false;
        onGroup(state_, item, [&](auto& choice) {
            const auto entry = choice.entryOf(code);
            if (!entry || !choice.enabled(*entry) || !choice.shown(*entry)) return;
            choice.set(*entry);
            chosen = true;
        });
        if (chosen) onChosen(item);
    });
}

void ConditionPanel::chooseCode(Item item, int code) {
    changing([&] {
        bool changed = false;
        onGroup(state_, item, [&](auto& choice) {
            const auto entry = choice.entryOf(code);
            changed = entry && choice.set(*entry);
        });
        if (changed) onChosen(item);
    });
}

void ConditionPanel::onChosen(Item item) {
    switch (item) {
        case Item::Unit:
            onUnitChosen();
            break;
        case Item::Profile:
        case Item::Sections:
            rules_->applyOptionRules();
            break;
        case Item::CutOff:
            onCutOffChosen();
            break;
        case Item::MotifA:
            onMotifAChosen();
            break;
        case Item::MotifB:
            onMotifBChosen();
            break;
        case Item::CsvSave:
            onCsvSaveChosen();
            break;
        default:
            break;  // the choice is all there is to it
    }
}

void ConditionPanel::onUnitChosen() {
    const Unit unit = *state_.unit.selected();
    // The entries hold values of the unit shown before; a second click on the
    // same unit must not convert them again.
    if (unit == lengthsUnit_) return;
    lengthsUnit_ = unit;
    const std::string before = state_.lengthText;
    rules_->convertLengthEntry(unit);
    if (state_.lengthText != before) rules_->applyOptionRules();
    if (offersMotifs()) rules_->convertMotifLengths(unit);
}

void ConditionPanel::onCutOffChosen() {
    applyShortDriveRule();
    if (state_.cutLock != CutLock::Locked) rules_->applyOptionRules();
}

// Five 8 mm sampling lengths do not fit a 25.4 mm drive, and three fit only
// without pre/post travel.
void ConditionPanel::applyShortDriveRule() {
    if (model_.driveRange != kShortDriveRange) return;
    if (state_.cutOff.is(CutOff::Mm8) && state_.sections.is(Sections::Five))
        choose(Sections::Three);
    if (state_.cutOff.is(CutOff::Mm8) && state_.sections.is(Sections::Three)) choose(PrePost::Off);
}

// A limit i belongs with B limit i + 1 (and motif length box i - 1).
void ConditionPanel::onMotifAChosen() {
    const std::optional<int> a = state_.motifA.codeFrom(2);
    if (!a) return;
    if (const auto b = state_.motifB.entryOf(*a + 1)) choose(*b);
}

void ConditionPanel::onMotifBChosen() {
    if (const std::optional<int> b = state_.motifB.codeFrom(2))
        if (const auto a = state_.motifA.entryOf(*b - 1)) choose(*a);
    rules_->applyOptionRules();
}

// Tilt compensation works on the saved CSV data, so it goes with the saving.
void ConditionPanel::onCsvSaveChosen() {
    const bool saving = !state_.csvSave.is(CsvSave::Off);
    state_.frames.enable(Frame::Tilt, saving);
    state_.tiltEnabled = saving;
}

void ConditionPanel::typeLength(std::string text) {
    changing([&] { setLengthText(std::move(text)); });
}

void ConditionPanel::setLengthText(std::string text) {
    if (state_.lengthText == text) return;
    state_.lengthText = std::move(text);
    rules_->applyOptionRules();
}

void ConditionPanel::typeMotifLength(int box, std::string text) {
    if (box < 1 || box > 4) return;
    changing([&] { state_.motifLengthTexts[static_cast<std::size_t>(box - 1)] = std::move(text); });
}

void ConditionPanel::restoreMotifLengths() {
    changing([&] {
        if (state_.unit.is(Unit::Millimetre))
            state_.motifLengthTexts = {"0.64", "3.2", "16.0", "25.4"};
        else
            state_.motifLengthTexts = {"0.025", "0.126", "0.630", "1.000"};
    });
}

void ConditionPanel::setTiltCompensation(bool on) {
    changing([&] { state_.tiltCompensation = on; });
}

bool ConditionPanel::offersMotifs() const {
    return model_.modelKind == 2 || model_.modelKind == 3;
}

void ConditionPanel::configureFor(const link::ModelInfo& model, bool isKt520,
                                  std::string_view languageCode) {
    changing([&] {
        model_ = model;
        if (isKt520) {
            rules_->applyOptionRules();
            const int kind = model.modelKind;
            if (kind >= 1)
                state_.autoReturn.enableAll(true);
            else if (model.romVersion < 1004)
                state_.autoReturn.enableAll(false);
            state_.frames.enable(Frame::MotifLengths, kind >= 2);
            state_.motifLengthEnabled.fill(kind >= 2);
            if (kind < 2) state_.motifLengthTexts.fill("");
            state_.frames.enable(Frame::Anx, kind >= 3);
            state_.anx.enableAll(kind >= 3);
        }
        if (model.romVersion >= 1311) state_.standardThreeIsVda = true;
        if (languageCode == "E") state_.unit.enable(Unit::Inch, true);
        if (languageCode == "J") state_.unit.enable(Unit::Inch, false);
    });
}

void ConditionPanel::showConditions(const ConditionSet& set, const ItemFieldMap& items) {
    changing([&] {
        for (Item item : kShownItems)
            if (const auto code = entryCode(item, itemText(set, items, codeOf(item))))
                chooseCode(item, *code);
        // Nothing came back: keep the operator's entry rather than empty it.
        if (!set.evaluationLengthText.empty()) setLengthText(set.evaluationLengthText);
        if (!offersMotifs()) return;

        const std::string lengths = itemText(set, items, kMotifLengthsItem);
        if (!lengths.empty()) {
            auto& texts = state_.motifLengthTexts;
            texts[0] = columns(lengths, 1, 5);
            texts[1] = columns(lengths, 7, 5);
            texts[2] = columns(lengths, 13, 5);
            texts[3] = lengths.size() > 5 ? lengths.substr(lengths.size() - 5) : lengths;
        }
        if (model_.modelKind == 3)
            if (const auto code = entryCode(Item::Anx, itemText(set, items, codeOf(Item::Anx))))
                chooseCode(Item::Anx, *code);
    });
}

int ConditionPanel::checkLengthEntry() {
    return rules_->checkLengthEntry();
}

void ConditionPanel::applyWavinessLengthRule() {
    changing([&] { rules_->applyWavinessLengthRule(); });
}

}  // namespace kt520::conditions
