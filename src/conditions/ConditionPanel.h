#pragma once
// The condition panel: the operator's choices, the handlers that keep them
// consistent, the read-back of the instrument's conditions into it, and its
// set-up for the instrument identified. Choosing an entry from code runs its
// handler exactly as the operator's click does, and the rules rely on that:
// a choice they force may run them again before they have finished, and
// every run re-derives the panel from the current choices, so nested runs
// settle.
//
// The panel knows nothing of windows: the controller fills the form from
// state() whenever the observer hears of a change.
#include <string>
#include <string_view>
#include <vector>

#include "conditions/Codes.h"
#include "conditions/ConditionLayout.h"
#include "conditions/ConditionSet.h"
#include "conditions/ConditionState.h"
#include "conditions/PanelRules.h"
#include "link/ModelInfo.h"

namespace kt520::conditions {

class PanelObserver {
  public:
    virtual ~PanelObserver() = default;
    // Something of state() changed; called once per outside call, after it.
    virtual void panelChanged() = 0;
};

// A read-back code that names no entry of its item's group, as it came.
struct UnreadCode {
    Item item;
    std::string code;
    bool operator==(const UnreadCode&) const = default;
};

class ConditionPanel {
  public:
    ConditionPanel() = default;
    ConditionPanel(const ConditionPanel&) = delete;
    ConditionPanel& operator=(const ConditionPanel&) = delete;

    // Both are set once by the owner before the panel is used.
    void setRules(PanelRules& rules) { rules_ = &rules; }
    void setObserver(PanelObserver* observer) { observer_ = observer; }

    const ConditionState& state() const { return state_; }
    // What the rules change besides choices: offers, frames, texts, flags.
    ConditionState& edit() { return state_; }
    // The instrument the panel is set up for (what the rules measure against).
    const link::ModelInfo& model() const { return model_; }

    // The operator's click on entry `code` of a group: nothing happens on an
    // entry that is not offered or not shown; otherwise it is chosen (and so
    // confirmed, see unconfirmed()) and the group's handler runs, even when it
    // was chosen already.
    void click(Item item, int code);
    // Text typed into the evaluation length box, or into motif length box 1-4
    // (the form passes typing and the tilt box on only while they are offered).
    // Typing changes the text only: a number half typed runs no rule.
    void typeLength(std::string text);
    void typeMotifLength(int box, std::string text);
    // The evaluation length entry is complete (Enter, the focus gone, Start):
    // a text the rules have not seen yet runs them.
    void enterLength();
    // "Default": the motif lengths of the unit shown.
    void restoreMotifLengths();
    void setTiltCompensation(bool on);

    // Chooses `entry` from code; its group's handler runs when it changed.
    template <typename E>
    void choose(E entry) {
        chooseCode(itemOf<E>(), codeOf(entry));
    }

    // Identification found `model`: the panel's part of configuring the
    // window for it (the rules, the motif and ANX entries, auto return, the
    // "VDA" caption, the inch unit by language). Only a KT-520 (`isKt520`)
    // is configured; the caption and the unit follow every identification.
    void configureFor(const link::ModelInfo& model, bool isKt520, std::string_view languageCode);
    // The conditions the instrument reported, item by item as clicks would
    // choose them, then the lengths (the evaluation length in the unit
    // reported). A code that names no entry leaves its group alone and its
    // item unconfirmed; those items come back, but not an item whose group
    // offers the operator no entry (nothing of it is the operator's to set).
    [[nodiscard]] std::vector<UnreadCode> showConditions(const ConditionSet& set,
                                                         const ItemFieldMap& items);
    // The items whose last read-back named no entry and that the operator has
    // not chosen since: the panel may differ from the instrument there.
    const std::vector<Item>& unconfirmed() const { return unconfirmed_; }
    // The checks before a run: the typed evaluation length, and the motif
    // lengths when the run sends them (a motif profile on a motif model).
    [[nodiscard]] std::vector<LengthRefusal> checkLengthEntry();
    [[nodiscard]] std::vector<LengthRefusal> checkMotifLengths();
    // The waviness length rule, as a run with "W" and "L" applies it before it starts.
    void applyWavinessLengthRule();

  private:
    // Runs `body`; when it was the outermost call and state() changed, the
    // observer hears of it once.
    template <typename F>
    void changing(F&& body);
    void chooseCode(Item item, int code);
    void onChosen(Item item);
    void onUnitChosen();
    void onCutOffChosen();
    void applyShortDriveRule();
    void onMotifAChosen();
    void onMotifBChosen();
    void onCsvSaveChosen();
    // The evaluation length as read back; a new text runs the rules.
    void setLengthText(std::string text);
    // The rules, once for each evaluation length they have not seen.
    void settleLength();
    void setConfirmed(Item item, bool confirmed);
    bool offersAnyEntry(Item item);
    bool offersMotifs() const;

    ConditionState state_;
    link::ModelInfo model_;
    PanelRules* rules_ = nullptr;
    PanelObserver* observer_ = nullptr;
    int depth_ = 0;
    Unit lengthsUnit_ = Unit::Millimetre;            // the unit the typed lengths are written in
    std::string settledLength_ = state_.lengthText;  // the length the rules last saw
    std::vector<Item> unconfirmed_;
};

}  // namespace kt520::conditions
