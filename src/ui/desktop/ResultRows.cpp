#include "ui/desktop/ResultRows.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kt520::ui::desktop {
namespace {

constexpr double kFieldRounding = 0.0005;
constexpr double kRelativeAgreement = 0.01;

std::optional<double> fieldValue(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    double value = 0;
    const char* end = text.data() + last + 1;
    const auto [ptr, error] = std::from_chars(text.data() + first, end, value);
    if (error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

double agreementTolerance(double computed) {
    return kFieldRounding + kRelativeAgreement * std::fabs(computed);
}

std::vector<ResultRow> resultRows(const std::vector<analysis::Parameter>& parameters,
                                  const std::vector<std::string>& fields,
                                  const std::vector<std::string>& fieldNames) {
    const char profileLetter = parameters.empty() ? 'R' : parameters.front().name.front();
    const auto named = [&](const std::string& name) {
        auto found = std::find_if(parameters.begin(), parameters.end(),
                                  [&](const analysis::Parameter& p) { return p.name == name; });
        if (found != parameters.end() || !name.starts_with('R')) return found;
        const std::string onProfile = profileLetter + name.substr(1);
        return std::find_if(parameters.begin(), parameters.end(),
                            [&](const analysis::Parameter& p) { return p.name == onProfile; });
    };
    std::vector<bool> shown(parameters.size(), false);
    std::vector<ResultRow> rows;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        ResultRow row;
        row.field = static_cast<int>(k) + 1;
        row.name = k < fieldNames.size() ? fieldNames[k] : std::string();
        row.instrumentText = fields[k];
        const auto parameter = named(row.name);
        if (parameter != parameters.end()) {
            shown[static_cast<std::size_t>(parameter - parameters.begin())] = true;
            row.computed = parameter->value;
            row.unit = parameter->unit;
            const std::optional<double> value = fieldValue(row.instrumentText);
            if (value &&
                std::fabs(*value - parameter->value) > agreementTolerance(parameter->value))
                row.flaggedDifference = *value - parameter->value;
        }
        rows.push_back(std::move(row));
    }
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (!shown[i])
            rows.push_back(
                {0, parameters[i].name, {}, parameters[i].value, parameters[i].unit, {}});
    return rows;
}

}  // namespace kt520::ui::desktop
