#pragma once
// The rules that keep the condition panel consistent: which options are
// offered for the profile chosen, the length entries and their unit
// conversions, and the cut-off/length/speed bands.
#include "conditions/ConditionPanel.h"
#include "conditions/PanelRules.h"

namespace kt520::rules {

// Every routine works on the panel it was given and runs to its end on the
// caller's thread. Choosing an entry from here runs that group's handler at
// once, which may run these rules again before the outer run has finished;
// each run re-derives the panel from the current choices, so nested runs
// settle. Read the state afresh after every choice.
class ConditionRules final : public conditions::PanelRules {
  public:
    explicit ConditionRules(conditions::ConditionPanel& panel) : panel_(panel) {}

    // The frames and options the chosen profile offers, then the length rule
    // ("L" chosen and the sections frame enabled, profile not "W") or the
    // speeds. No profile chosen: lang::failInternal.
    void applyOptionRules() override;
    // "W" with "L": fh and fl from the band of the typed length.
    void applyWavinessLengthRule() override;
    void convertLengthEntry(conditions::Unit unit) override;
    void convertMotifLengths(conditions::Unit unit) override;
    [[nodiscard]] std::vector<conditions::LengthRefusal> checkLengthEntry() override;
    [[nodiscard]] std::vector<conditions::LengthRefusal> checkMotifLengths() override;
    [[nodiscard]] std::string lengthRangeHint() override;

  private:
    // The speeds offered for the profile and its cut-off, and the speed suffix.
    void applySpeedRules();
    // Cut-off and speeds from the band of the typed length.
    void applyLengthRule();
    // "W": only fl values above fh are offered (with "L": the length rule above).
    void applyWavinessLimits();

    conditions::ConditionState& state() { return panel_.edit(); }

    conditions::ConditionPanel& panel_;
};

}  // namespace kt520::rules
