#pragma once
// The parameter list as text, the same wherever it is written: JSON for
// kt520-analyse and the headless driver, CSV rows for tables.
#include <string>
#include <string_view>
#include <vector>

#include "analysis/RunAnalysis.h"

namespace kt520::analysis {

// The shortest decimal text that reads back as the same double, "." as
// decimal point whatever the locale; "null" for a value that is not finite.
[[nodiscard]] std::string decimalText(double value);

// A JSON string literal.
[[nodiscard]] std::string jsonString(std::string_view text);

// [{"name":N,"value":V,"unit":U,"standard":S},...]
[[nodiscard]] std::string jsonParameters(const std::vector<Parameter>& parameters);

// One CSV row (no line end): fields with a comma, a quote or a line break
// are quoted, quotes doubled.
[[nodiscard]] std::string csvRow(const std::vector<std::string>& fields);

// The header "name,value,unit,standard" and one row per parameter, each
// ended by "\r\n" as the program's other CSV files.
[[nodiscard]] std::string csvParameters(const std::vector<Parameter>& parameters);

}  // namespace kt520::analysis
