#include "conditions/ConditionPanel.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "profile/Blanks.h"

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

// The entry code a one-character read-back code names, if the group has
// that entry; the arbitrary length "L" is entry 6 of the sampling lengths.
std::optional<int> entryCode(ConditionState& state, Item item, const std::string& code) {
    std::optional<int> number;
    if (item == Item::Sections && code == "L") number = codeOf(Sections::Arbitrary);
    if (code.size() == 1 && code[0] >= '0' && code[0] <= '9') number = code[0] - '0';
    bool named = false;
    if (number)
        onGroup(state, item,
                [&](const auto& choice) { named = choice.entryOf(*number).has_value(); });
    return named ? number : std::nullopt;
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
        if (!chosen) return;
        setConfirmed(item, true);
        onChosen(item);
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
    rules_->convertLengthEntry(unit);
    settleLength();
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
    changing([&] { state_.lengthText = std::move(text); });
}

void ConditionPanel::enterLength() {
    changing([&] { settleLength(); });
}

void ConditionPanel::setLengthText(std::string text) {
    state_.lengthText = std::move(text);
    settleLength();
}

void ConditionPanel::settleLength() {
    if (state_.lengthText == settledLength_) return;
    settledLength_ = state_.lengthText;
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
        state_.lengthRangeHint = rules_->lengthRangeHint();
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

std::vector<UnreadCode> ConditionPanel::showConditions(const ConditionSet& set,
                                                       const ItemFieldMap& items) {
    std::vector<UnreadCode> unread;
    changing([&] {
        const auto show = [&](Item item) {
            std::string code = itemText(set, items, codeOf(item));
            if (const auto entry = entryCode(state_, item, code)) {
                chooseCode(item, *entry);
                setConfirmed(item, true);
            } else {
                unread.push_back({item, std::move(code)});
            }
        };
        for (Item item : kShownItems) show(item);
        if (model_.modelKind == 3) show(Item::Anx);

        // The length is in the unit reported, which the panel shows now; in a
        // unit not known it would be misread. Nothing came back: keep the
        // operator's entry rather than empty it.
        const std::string length(profile::trimBlanks(itemText(set, items, kEvaluationLengthItem)));
        const bool unitShown = std::none_of(
            unread.begin(), unread.end(), [](const UnreadCode& u) { return u.item == Item::Unit; });
        if (!length.empty() && unitShown) setLengthText(length);

        const std::string lengths = itemText(set, items, kMotifLengthsItem);
        if (offersMotifs() && !lengths.empty()) {
            auto& texts = state_.motifLengthTexts;
            texts[0] = columns(lengths, 1, 5);
            texts[1] = columns(lengths, 7, 5);
            texts[2] = columns(lengths, 13, 5);
            texts[3] = lengths.size() > 5 ? lengths.substr(lengths.size() - 5) : lengths;
        }

        // Judged on the panel as the whole read-back left it: an item whose
        // group offers nothing (auto return before firmware 1.004, the motif
        // limits outside the motif profiles) is not the operator's to set.
        std::erase_if(unread, [this](const UnreadCode& u) { return !offersAnyEntry(u.item); });
        for (const UnreadCode& u : unread) setConfirmed(u.item, false);
    });
    return unread;
}

void ConditionPanel::setConfirmed(Item item, bool confirmed) {
    const auto at = std::find(unconfirmed_.begin(), unconfirmed_.end(), item);
    if (confirmed && at != unconfirmed_.end()) unconfirmed_.erase(at);
    if (!confirmed && at == unconfirmed_.end()) unconfirmed_.push_back(item);
}

bool ConditionPanel::offersAnyEntry(Item item) {
    bool offered = false;
    onGroup(state_, item, [&](const auto& choice) {
        for (const auto entry : choice.entries())
            offered = offered || (choice.shown(entry) && choice.enabled(entry));
    });
    return offered;
}

std::vector<LengthRefusal> ConditionPanel::checkLengthEntry() {
    return rules_->checkLengthEntry();
}

std::vector<LengthRefusal> ConditionPanel::checkMotifLengths() {
    const bool motifProfile =
        state_.profile.is(Profile::RMotif) || state_.profile.is(Profile::WMotif);
    if (!motifProfile || !offersMotifs()) return {};
    return rules_->checkMotifLengths();
}

void ConditionPanel::applyWavinessLengthRule() {
    changing([&] { rules_->applyWavinessLengthRule(); });
}

}  // namespace kt520::conditions
