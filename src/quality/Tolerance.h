#pragma once
// A part's tolerance on one analysed parameter: a lower and/or an upper limit,
// and the rule that decides the part's acceptance from several traces. Limits
// are in micrometres for heights and lengths (an inch run's values are
// converted before they are compared), in % for material ratios, plain for
// ratios.
#include <optional>
#include <string>
#include <vector>

namespace kt520::quality {

// How the traces of one part are weighed against a limit: the 16 % rule
// (the default: up to 16 % of the values may lie beyond the limit) or the
// max rule (none may; the limit is written with "max").
enum class Rule { SixteenPercent, Max };

struct Limit {
    std::optional<double> low;
    std::optional<double> high;
    Rule rule = Rule::SixteenPercent;

    [[nodiscard]] bool beyond(double value) const {
        return (low && value < *low) || (high && value > *high);
    }
    bool operator==(const Limit&) const = default;
};

struct Tolerance {
    std::string part;
    std::string parameter;  // as the analysis names it: "Ra", "Rz", "Rmr(c=25%Rt)"
    Limit limit;
    bool operator==(const Tolerance&) const = default;
};

// The limits of `part` out of a table of every part's.
[[nodiscard]] std::vector<Tolerance> tolerancesOf(const std::vector<Tolerance>& table,
                                                  const std::string& part);

// A value in the unit the limits use: micro-inches become micrometres.
[[nodiscard]] double comparableValue(double value, const std::string& unit);
// The unit of a limit on a parameter given in `unit`: "uinch" becomes "um".
[[nodiscard]] std::string comparableUnit(const std::string& unit);

// "max" and "16%", as scripts, files and the database spell the rules.
[[nodiscard]] const char* ruleName(Rule rule);
[[nodiscard]] std::optional<Rule> parseRule(const std::string& name);

}  // namespace kt520::quality
