#pragma once
// The rules that keep the condition panel consistent: which options are
// offered for the profile chosen, the length entries and their unit
// conversions, and the cut-off/length/speed bands.
#include <string>

#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/ModelInfo.h"
#include "ui/MainWindowModel.h"

namespace kt520::rules {

// Every routine works on the window model it was given and runs to its end
// on the caller's thread. Selecting an option from here raises that option's
// click handler at once, which may run these rules again before the outer
// run has finished; each run re-derives the panel from the current choices,
// so nested runs settle.
class ConditionRules {
  public:
    ConditionRules(ui::MainWindowModel& window, const link::ModelInfo& model, lang::Operator& op,
                   const lang::MessageCatalog& catalog);

    // The frames and options the chosen profile offers, then the length rule
    // ("L" typed and the sections frame enabled, profile not "W") or the
    // speeds. No profile chosen: the internal-error box, then the program ends.
    void applyOptionRules();
    // The speeds offered for the profile and its cut-off, and fstrSPD_LIMIT.
    void applySpeedRules();
    // Cut-off and speeds from the band of the length in txtLENG.
    void applyLengthRule();
    // "W": only fl values above fh are offered (with "L": the length rule below).
    void applyWavinessLimits();
    // "W" with "L": fh and fl from the band of the length in txtLENG.
    void applyWavinessLengthRule();

    // unit: 1 = just switched to mm, 2 = just switched to inch.
    void convertLengthEntry(int unit);
    void convertMotifLengths(int unit);
    // "OK" or "NG" (with a beep and the text selected for each finding).
    std::string checkLengthEntry();

  private:
    int selectedProfile() const;
    [[noreturn]] void stopOnUnknownProfile();

    ui::MainWindowModel& window_;
    const link::ModelInfo& model_;
    lang::Operator& operator_;
    const lang::MessageCatalog& catalog_;
};

}  // namespace kt520::rules
