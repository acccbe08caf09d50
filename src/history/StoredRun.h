#pragma once
// One run as the history keeps it: what the run handed on (profiles, the
// instrument's fields, conditions, analysis), who and what it was of, the
// instrument, and its verdict. The history's tables hold exactly this
// (docs/history.md).
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/ModelInfo.h"
#include "measurement/RunRecord.h"
#include "quality/RunLabels.h"
#include "quality/Verdict.h"

namespace kt520::history {

using RunId = std::int64_t;

struct StoredRun {
    RunId id = 0;     // the database's; 0 until stored
    std::string uid;  // unique across stations, so a queued run is never stored twice
    std::chrono::system_clock::time_point finishedAt;
    measurement::RunRecord::Source source = measurement::RunRecord::Source::Measurement;
    std::string programVersion;
    std::string station;  // the computer's name
    std::string model;
    std::string firmware;
    quality::RunLabels labels;
    bool inch = false;
    conditions::ConditionSet conditions;
    std::vector<std::string> listing;
    std::vector<std::string> results;  // the instrument's fields
    std::vector<analysis::Parameter> analysis;
    quality::RunVerdict verdict;
    std::vector<double> measured;
    std::vector<double> evaluation;
};

// What the list of runs shows of each, without its profiles.
struct RunSummary {
    RunId id = 0;
    std::chrono::system_clock::time_point finishedAt;
    std::string part, lot, operatorName;
    quality::Verdict verdict = quality::Verdict::Ok;
    std::string model, firmware;
};

// Which runs a list holds: empty texts and absent dates take every run; part
// and lot match a part of the name, in any case.
struct RunFilter {
    std::string part{};
    std::string lot{};
    std::optional<std::chrono::system_clock::time_point> from{};  // [from, to)
    std::optional<std::chrono::system_clock::time_point> to{};
    std::optional<quality::Verdict> verdict{};
    std::vector<RunId> ids{};  // these runs alone, when not empty
};

// The run as the history stores it, with a new uid.
[[nodiscard]] StoredRun storedRunOf(const measurement::RunRecord& record,
                                    const quality::RunLabels& labels, const link::ModelInfo& model,
                                    quality::RunVerdict verdict);
// The run as the window shows a run that just ended.
[[nodiscard]] measurement::RunRecord recordOf(const StoredRun& run);

// "1.311": the firmware as the instrument's version label shows it.
[[nodiscard]] std::string firmwareText(std::int16_t romVersion);

}  // namespace kt520::history
