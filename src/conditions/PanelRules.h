#pragma once
// The rules that keep the condition panel consistent, as the panel's own
// handlers call them (the rules subsystem implements this).
#include <string>
#include <vector>

#include "conditions/Codes.h"

namespace kt520::conditions {

// One reason the check before a run refuses a length entry, with what the
// entry allows.
struct LengthRefusal {
    enum class Problem { OutOfRange, TooManyDecimals, TooLong };
    int box = 0;  // 0: the evaluation length; 1-4: the motif length boxes
    Problem problem = Problem::OutOfRange;
    std::string text;     // the entry, blanks trimmed
    std::string allowed;  // the range in the panel's unit: "0.1-50 mm"
    int limit = 0;        // the decimals (TooManyDecimals) or characters (TooLong) allowed
    bool operator==(const LengthRefusal&) const = default;
};

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
    // The check of the typed evaluation length: each finding on its own (none:
    // fine). The caller signals each one (a beep, the text selected).
    [[nodiscard]] virtual std::vector<LengthRefusal> checkLengthEntry() = 0;
    // The check of the four motif lengths: each box's range in the unit shown,
    // and at most five characters, as the instrument takes them.
    [[nodiscard]] virtual std::vector<LengthRefusal> checkMotifLengths() = 0;
    // The evaluation length's range in both units, as the motif boxes' hints
    // give theirs ("0.1-50mm 0.01'-2'").
    [[nodiscard]] virtual std::string lengthRangeHint() = 0;
};

}  // namespace kt520::conditions
