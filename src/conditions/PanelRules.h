#pragma once
// The rules that keep the condition panel consistent, as the panel's own
// handlers call them (the rules subsystem implements this).
#include "conditions/Codes.h"

namespace kt520::conditions {

class PanelRules {
  public:
    virtual ~PanelRules() = default;
    // Which frames and options the chosen profile offers, then the length
    // rule or the speeds. No profile chosen: lang::failInternal.
    virtual void applyOptionRules() = 0;
    // "W" with "L": fh and fl from the band of the typed length.
    virtual void applyWavinessLengthRule() = 0;
    // unit: the unit just switched to. Rewrites the evaluation length.
    virtual void convertLengthEntry(Unit unit) = 0;
    // The same for the four motif lengths.
    virtual void convertMotifLengths(Unit unit) = 0;
    // The findings of the check of the typed evaluation length (0: fine). The
    // caller signals each one (a beep, the text selected).
    [[nodiscard]] virtual int checkLengthEntry() = 0;
};

}  // namespace kt520::conditions
