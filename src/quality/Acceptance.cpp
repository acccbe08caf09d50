#include "quality/Acceptance.h"

#include <algorithm>
#include <array>

namespace kt520::quality {
namespace {

struct Step {
    int traces;
    int allowedBeyond;
};
// The 16 % rule's steps: 2 of 12 is the most that stays within 16 %.
constexpr std::array<Step, 3> kSteps{{{3, 0}, {6, 1}, {12, 2}}};
constexpr double kFirstValueShare = 0.7;

int beyondAmong(std::span<const std::optional<double>> values, const Limit& limit, int count) {
    int beyond = 0;
    for (int i = 0; i < count && i < static_cast<int>(values.size()); ++i)
        if (!values[i] || limit.beyond(*values[i])) ++beyond;
    return beyond;
}

RuleOutcome sixteenPercent(std::span<const std::optional<double>> values, const Limit& limit) {
    const int n = static_cast<int>(values.size());
    RuleOutcome out{Acceptance::AnotherTrace, std::min(n, kSteps.back().traces),
                    beyondAmong(values, limit, kSteps.back().traces), 0};
    const auto& first = values.front();
    if (limit.high && !limit.low && first && *first <= kFirstValueShare * *limit.high)
        return {Acceptance::Accepted, 1, 0, 0};
    if (out.beyond > kSteps.back().allowedBeyond) {
        out.acceptance = Acceptance::Rejected;
        return out;
    }
    for (const Step& step : kSteps) {
        if (n >= step.traces && beyondAmong(values, limit, step.traces) <= step.allowedBeyond) {
            out.acceptance = Acceptance::Accepted;
            out.traces = step.traces;
            out.beyond = beyondAmong(values, limit, step.traces);
            return out;
        }
    }
    // The next step that the values so far can still pass.
    for (const Step& step : kSteps) {
        if (step.traces > n && out.beyond <= step.allowedBeyond) {
            out.tracesToDecide = step.traces - n;
            break;
        }
    }
    return out;
}

}  // namespace

RuleOutcome weigh(std::span<const std::optional<double>> values, const Limit& limit) {
    if (values.empty()) return {Acceptance::AnotherTrace, 0, 0, 1};
    if (limit.rule == Rule::SixteenPercent) return sixteenPercent(values, limit);
    const int n = static_cast<int>(values.size());
    const int beyond = beyondAmong(values, limit, n);
    return {beyond > 0 ? Acceptance::Rejected : Acceptance::Accepted, n, beyond, 0};
}

InspectionStep Inspection::add(const std::string& part, const std::string& lot,
                               const RunVerdict& verdict) {
    Key key{part, lot, {}};
    for (const ParameterVerdict& parameter : verdict.parameters)
        if (parameter.limit) key.limits.emplace_back(parameter.name, *parameter.limit);
    if (decided_ || key_ != key) {
        key_ = key;
        decided_ = false;
        values_.clear();
        for (const auto& [name, limit] : key.limits) values_.push_back({name, {}});
    }
    InspectionStep step;
    for (std::size_t i = 0; i < key.limits.size(); ++i) {
        const ParameterVerdict& parameter =
            *std::find_if(verdict.parameters.begin(), verdict.parameters.end(),
                          [&](const ParameterVerdict& p) { return p.name == key.limits[i].first; });
        std::vector<std::optional<double>>& values = values_[i].second;
        values.push_back(parameter.value
                             ? std::optional(comparableValue(*parameter.value, parameter.unit))
                             : std::nullopt);
        step.trace = static_cast<int>(values.size());
        const Limit& limit = key.limits[i].second;
        step.parameters.push_back({parameter.name, limit.rule, weigh(values, limit)});
    }
    if (step.parameters.empty()) return step;
    const auto any = [&](Acceptance a) {
        return std::any_of(step.parameters.begin(), step.parameters.end(),
                           [a](const ParameterAcceptance& p) { return p.outcome.acceptance == a; });
    };
    step.overall = any(Acceptance::Rejected)       ? Acceptance::Rejected
                   : any(Acceptance::AnotherTrace) ? Acceptance::AnotherTrace
                                                   : Acceptance::Accepted;
    decided_ = *step.overall != Acceptance::AnotherTrace;
    return step;
}

const char* acceptanceWord(Acceptance acceptance) {
    switch (acceptance) {
        case Acceptance::Accepted:
            return "accepted";
        case Acceptance::Rejected:
            return "rejected";
        case Acceptance::AnotherTrace:
            break;
    }
    return "another trace";
}

}  // namespace kt520::quality
