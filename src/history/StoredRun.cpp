#include "history/StoredRun.h"

#include <QSysInfo>
#include <QUuid>
#include <charconv>

namespace kt520::history {

std::string firmwareText(std::int16_t romVersion) {
    if (romVersion == 0) return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, romVersion / 1000.0);
    return std::string(buffer, result.ptr);
}

StoredRun storedRunOf(const measurement::RunRecord& record, const quality::RunLabels& labels,
                      const link::ModelInfo& model, quality::RunVerdict verdict) {
    StoredRun run;
    run.uid = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    run.finishedAt = record.finishedAt;
    run.source = record.source;
    run.programVersion = KT520_PROGRAM_VERSION;
    run.station = QSysInfo::machineHostName().toStdString();
    run.model = model.modelName;
    run.firmware = firmwareText(model.romVersion);
    run.labels = labels;
    run.inch = record.inch;
    run.conditions = record.conditions;
    if (run.conditions.samplingPitchText.empty())
        run.conditions.samplingPitchText = record.samplingPitchText;
    run.listing = record.listing;
    run.results = record.results;
    run.analysis = record.analysis;
    run.verdict = std::move(verdict);
    run.measured = record.measured;
    run.evaluation = record.evaluation;
    return run;
}

measurement::RunRecord recordOf(const StoredRun& run) {
    measurement::RunRecord record;
    record.source = run.source;
    record.outcome = measurement::RunRecord::Outcome::Written;
    record.finishedAt = run.finishedAt;
    record.inch = run.inch;
    record.samplingPitchText = run.conditions.samplingPitchText;
    record.measured = run.measured;
    record.evaluation = run.evaluation;
    record.results = run.results;
    record.conditions = run.conditions;
    record.listing = run.listing;
    record.analysis = run.analysis;
    return record;
}

}  // namespace kt520::history
