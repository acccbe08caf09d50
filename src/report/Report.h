#pragma once
// PDF reports: one run (header with the company, part, lot, operator, date,
// instrument and firmware; the verdict and the part's acceptance; the
// condition listing; both profiles as plots; the named results with their
// limits and verdicts; the instrument's fields) and a selection of runs (a
// line per run and the statistics of each parameter). The text is real text
// (searchable, copyable); fonts for Japanese are embedded.
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "history/StoredRun.h"
#include "quality/Acceptance.h"

namespace kt520::report {

struct ReportStyle {
    QString company;   // shown at the top; may be empty
    QString logoFile;  // an image shown at the top left; may be empty
    bool japanese = false;
};

// The company and logo of "History.ini" in the data folder ([report] company, logo).
[[nodiscard]] ReportStyle reportStyleFor(const std::string& dataFolder, bool japanese);
// Keeps them there for the next start.
void saveReportStyle(const std::string& dataFolder, const ReportStyle& style);

// Written beside `path` and renamed over it; false with `error` set when it cannot be written.
[[nodiscard]] bool writeRunReport(const QString& path, const history::StoredRun& run,
                                  const std::optional<quality::InspectionStep>& acceptance,
                                  const ReportStyle& style, std::string& error);
[[nodiscard]] bool writeSummaryReport(const QString& path,
                                      const std::vector<history::StoredRun>& runs,
                                      const ReportStyle& style, std::string& error);

}  // namespace kt520::report
