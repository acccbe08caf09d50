#pragma once
// The history's texts of runs: time stamps as the database keeps them (UTC,
// ISO 8601 with milliseconds, so that they sort as text), and the CSV files
// that the history exports.
#include <QString>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "history/StoredRun.h"

namespace kt520::history {

[[nodiscard]] QString timeText(std::chrono::system_clock::time_point at);
[[nodiscard]] std::chrono::system_clock::time_point parseTime(const QString& text);
// The local time as lists and reports show it: "2026-12-05 23:22:28".
[[nodiscard]] QString localTimeText(std::chrono::system_clock::time_point at);

struct AnalysisRow {
    RunId run = 0;
    std::string name;
    std::optional<double> value;
    std::string unit;
};

// A header line "id,finished_at,part,lot,operator,model,firmware,verdict"
// followed by a column "NAME [UNIT]" for each parameter that any of the runs
// has (in their first order), then one line per run (in the order given);
// lines end with CR LF like the program's other CSV files.
[[nodiscard]] std::string historyCsv(const std::vector<RunSummary>& runs,
                                     const std::vector<AnalysisRow>& analysis);

// The profiles of one run side by side: "point,measured [U],evaluation [U]",
// a cell left empty where one profile has ended.
[[nodiscard]] std::string profilesCsv(const StoredRun& run);

// Writes `text` beside `path` and renames it over (whole or not at all);
// false with `error` set when it could not.
[[nodiscard]] bool writeWhole(const QString& path, const std::string& text, std::string& error);

}  // namespace kt520::history
