#pragma once
// A part's acceptance from the traces taken on it, under the rules of
// ISO 4288:1996 and ISO 21920-3:2021 for comparing measured values with
// their limits (docs/history.md cites them):
// - the 16 % rule: the part is accepted when no more than 16 % of its values
//   lie beyond the limit, decided in steps: accepted at once when the first
//   value is at most 70 % of an upper limit; otherwise accepted when none of
//   the first 3 values, at most 1 of the first 6, or at most 2 of the first
//   12 lie beyond it; rejected as soon as more than 2 of the first 12 do, or
//   when 12 traces have not passed; in between another trace is needed;
// - the max rule: rejected as soon as one value lies beyond the limit,
//   accepted otherwise.
// The 70 % step is taken for upper limits alone (a lower or two-sided limit
// starts at the three-value step).
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "quality/Tolerance.h"
#include "quality/Verdict.h"

namespace kt520::quality {

enum class Acceptance { Accepted, Rejected, AnotherTrace };

struct RuleOutcome {
    Acceptance acceptance = Acceptance::AnotherTrace;
    int traces = 0;          // values weighed
    int beyond = 0;          // of them beyond the limit
    int tracesToDecide = 0;  // with AnotherTrace: traces still needed for the next step
};

// `values` in trace order, in the limit's unit; a missing value (a trace that
// did not give the parameter) counts as one beyond the limit.
[[nodiscard]] RuleOutcome weigh(std::span<const std::optional<double>> values, const Limit& limit);

struct ParameterAcceptance {
    std::string name;
    Rule rule = Rule::SixteenPercent;
    RuleOutcome outcome;
};

struct InspectionStep {
    int trace = 0;  // 1 for the first trace of the part
    std::vector<ParameterAcceptance> parameters;
    std::optional<Acceptance> overall;  // none when the part has no limits
};

// The traces of one part in a row. A trace of another part or lot, under
// other limits, or after the part was decided starts a new inspection.
class Inspection {
  public:
    InspectionStep add(const std::string& part, const std::string& lot, const RunVerdict& verdict);

  private:
    struct Key {
        std::string part, lot;
        std::vector<std::pair<std::string, Limit>> limits;
        bool operator==(const Key&) const = default;
    };
    std::optional<Key> key_;
    bool decided_ = false;
    std::vector<std::pair<std::string, std::vector<std::optional<double>>>> values_;
};

// "accepted", "rejected", "another trace": the words of events and files.
[[nodiscard]] const char* acceptanceWord(Acceptance acceptance);

}  // namespace kt520::quality
