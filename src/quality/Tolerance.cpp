#include "quality/Tolerance.h"

#include "analysis/RunAnalysis.h"

namespace kt520::quality {

std::vector<Tolerance> tolerancesOf(const std::vector<Tolerance>& table, const std::string& part) {
    std::vector<Tolerance> out;
    for (const Tolerance& tolerance : table)
        if (tolerance.part == part) out.push_back(tolerance);
    return out;
}

double comparableValue(double value, const std::string& unit) {
    return unit == "uinch" ? value / analysis::kMicroinchPerMicrometre : value;
}

std::string comparableUnit(const std::string& unit) {
    return unit == "uinch" ? std::string("um") : unit;
}

const char* ruleName(Rule rule) {
    return rule == Rule::Max ? "max" : "16%";
}

std::optional<Rule> parseRule(const std::string& name) {
    if (name == "max") return Rule::Max;
    if (name == "16%") return Rule::SixteenPercent;
    return std::nullopt;
}

}  // namespace kt520::quality
