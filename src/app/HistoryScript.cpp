// The script lines of the history: the labels of the next runs, tolerances,
// the report of the last run and the export of the history.
#include <charconv>
#include <sstream>

#include "app/Script.h"

namespace kt520::app {
namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// "-" is no limit.
bool readLimit(const std::string& word, std::optional<double>& limit) {
    if (word == "-") return true;
    double value = 0;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || result.ec != std::errc{} || result.ptr != word.data() + word.size())
        return false;
    limit = value;
    return true;
}

ParsedLine failed(std::string error) {
    return {std::nullopt, std::move(error)};
}

ParsedLine toleranceLine(std::string_view rest, ScriptAction action) {
    std::istringstream words{std::string(rest)};
    std::string part, parameter, low, high, rule, extra;
    words >> part >> parameter >> low >> high >> rule >> extra;
    if (high.empty()) return failed("tolerance needs PART PARAMETER LOW HIGH [max]");
    if (!extra.empty() || (!rule.empty() && rule != "max"))
        return failed("unexpected text after the limits: \"" + rule +
                      "\" (only \"max\" may follow)");
    quality::Limit& limit = action.tolerance.limit;
    if (!readLimit(low, limit.low) || !readLimit(high, limit.high))
        return failed("a limit is a number or \"-\", not \"" +
                      (limit.low || low == "-" ? high : low) + "\"");
    if (limit.low && limit.high && *limit.low > *limit.high)
        return failed("the lower limit " + low + " is above the upper limit " + high);
    limit.rule = rule == "max" ? quality::Rule::Max : quality::Rule::SixteenPercent;
    action.tolerance.part = part;
    action.tolerance.parameter = parameter;
    return {std::move(action), {}};
}

}  // namespace

bool isHistoryVerb(Verb verb) {
    switch (verb) {
        case Verb::Part:
        case Verb::Lot:
        case Verb::Operator:
        case Verb::Tolerance:
        case Verb::Report:
        case Verb::Export:
            return true;
        default:
            return false;
    }
}

std::optional<ParsedLine> parseHistoryLine(std::string_view verb, std::string_view rest,
                                           const std::string& text) {
    ScriptAction action;
    action.text = text;
    if (verb == "part" || verb == "lot" || verb == "operator") {
        // The name may hold blanks, and an empty one clears it.
        action.verb = verb == "part" ? Verb::Part : verb == "lot" ? Verb::Lot : Verb::Operator;
        action.value = trimmed(rest);
        return ParsedLine{std::move(action), {}};
    }
    if (verb == "report" || verb == "export") {
        action.verb = verb == "report" ? Verb::Report : Verb::Export;
        action.value = trimmed(rest);
        if (action.value.empty()) return failed(std::string(verb) + " needs a file path");
        return ParsedLine{std::move(action), {}};
    }
    if (verb == "tolerance") {
        action.verb = Verb::Tolerance;
        return toleranceLine(rest, std::move(action));
    }
    return std::nullopt;
}

}  // namespace kt520::app
