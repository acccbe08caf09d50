#include "quality/Verdict.h"

#include <algorithm>

namespace kt520::quality {

RunVerdict judge(const std::vector<analysis::Parameter>& parameters,
                 const std::vector<Tolerance>& partLimits) {
    RunVerdict out;
    const auto limitOf = [&](const std::string& name) -> const Tolerance* {
        const auto it = std::find_if(partLimits.begin(), partLimits.end(),
                                     [&](const Tolerance& t) { return t.parameter == name; });
        return it == partLimits.end() ? nullptr : &*it;
    };
    for (const analysis::Parameter& parameter : parameters) {
        ParameterVerdict verdict{
            parameter.name, parameter.value, parameter.unit, {}, Verdict::NotJudged};
        if (const Tolerance* tolerance = limitOf(parameter.name)) {
            verdict.limit = tolerance->limit;
            verdict.verdict =
                tolerance->limit.beyond(comparableValue(parameter.value, parameter.unit))
                    ? Verdict::Ng
                    : Verdict::Ok;
        }
        out.parameters.push_back(std::move(verdict));
    }
    for (const Tolerance& tolerance : partLimits) {
        const bool given = std::any_of(parameters.begin(), parameters.end(), [&](const auto& p) {
            return p.name == tolerance.parameter;
        });
        if (!given)
            out.parameters.push_back(
                {tolerance.parameter, std::nullopt, {}, tolerance.limit, Verdict::Ng});
    }
    const bool anyNg = std::any_of(out.parameters.begin(), out.parameters.end(),
                                   [](const auto& p) { return p.verdict == Verdict::Ng; });
    out.overall = anyNg ? Verdict::Ng : Verdict::Ok;
    return out;
}

const char* verdictWord(Verdict verdict) {
    switch (verdict) {
        case Verdict::Ok:
            return "OK";
        case Verdict::Ng:
            return "NG";
        case Verdict::NotJudged:
            break;
    }
    return "";
}

Verdict parseVerdict(const std::string& word) {
    if (word == "OK") return Verdict::Ok;
    if (word == "NG") return Verdict::Ng;
    return Verdict::NotJudged;
}

}  // namespace kt520::quality
