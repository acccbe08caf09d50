// Fetching what a measurement produced: the profiles block by block, the
// results and the conditions, staged as the four data files and published
// together at the run's end.
#include <chrono>

#include "analysis/ParameterText.h"
#include "async/Sleep.h"
#include "measurement/AnalysisConditions.h"
#include "measurement/ConditionListing.h"
#include "measurement/ExpectedPoints.h"
#include "profile/NumberText.h"
#include "profile/ProfileFilters.h"
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {
namespace {

constexpr float kMicroinchesPerMicrometre = 39.37f;
// While the instrument measures it may have no new points yet: ask again after this.
constexpr async::Millis kEmptyBlockPause{50};

std::vector<double> values(const measurement::ProfileData& profile, int count) {
    std::vector<double> heights;
    heights.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i)
        heights.push_back(profile::readValue(profile.outputLines[static_cast<std::size_t>(i)]));
    return heights;
}

}  // namespace

bool Session::inchUnit() const {
    return conditions::itemText(conditions_, layouts_.items, codeOf(conditions::Item::Unit)) == "2";
}

// Block after block until the instrument has no more ("NG"), the run is
// stopped, or the list is full. A block that claims more points than a
// block may hold is read to its end and dropped, with a message.
async::Task<void> Session::transferProfile(const conditions::ConditionState& state,
                                           bool evaluation) {
    profile_.clearOutputLines();
    const bool motif = state.profile.is(conditions::Profile::RMotif) ||
                       state.profile.is(conditions::Profile::WMotif);
    const int expected = measurement::expectedPoints(
        {motif, conditions_, layouts_.items, model_,
         evaluation ? measurement::ProfileKind::Evaluation : measurement::ProfileKind::Measured});
    p_.observer.progress({true, expected, 0});
    bool droppedShown = false;
    while (transferring()) {
        const link::Block block = co_await link_.fetchBlock();
        if (block.kind == link::Block::Kind::End) break;
        if (block.kind == link::Block::Kind::Oversized) {
            if (!droppedShown)
                p_.observer.showMessage(
                    {p_.catalog.programText(lang::ProgramText::BlockDropped,
                                            std::to_string(block.declaredPoints)),
                     p_.catalog.boxTitle(texts::kWarning), Icon::Stop});
            droppedShown = true;
            continue;
        }
        for (std::size_t i = 0; i < block.points.size(); ++i) {
            if (profile_.appendPoint(profile::numberText(block.points[i]))) continue;
            // More than a profile may hold: the transfer ends, and the run says how many came.
            pointsOverflowed_ = profile_.pointCount + static_cast<int>(block.points.size() - i);
            runMode_ = RunMode::Stopped;
            break;
        }
        p_.observer.progress({true, expected, profile_.pointCount});
        if (block.points.empty() && transferring())
            co_await async::sleepUntil(p_.loop, p_.loop.now() + kEmptyBlockPause);
    }
    p_.observer.progress({});
}

async::Task<Session::RunEnd> Session::retrieveData(const conditions::ConditionState& state) {
    using Outcome = measurement::RunRecord::Outcome;
    if (state.csvSave.is(conditions::CsvSave::Off)) {
        profile_.clearOutputLines();
        co_await readResults();
        co_return RunEnd{Outcome::ResultsOnly, {}};
    }
    profile::replaceFirstChar(profile_.outputLines, ',', ".");
    const profile::TextList measured(profile_.outputLines.begin(),
                                     profile_.outputLines.begin() + profile_.pointCount + 1);
    std::vector<double> measuredUm = values(profile_, profile_.pointCount);

    setStatusText(texts::kEvaluationProfileData);
    (void)co_await link_.exchange("WRCAN0000101");
    profile_.outputFileName = "Evaluation.csv";
    co_await transferProfile(state, true);
    profile::replaceFirstChar(profile_.outputLines, ',', ".");
    std::vector<double> evaluationUm = values(profile_, profile_.pointCount);
    convertToMicroinches();
    measurement::writeOutputFile(profile_, files_);
    const int evaluationPoints = profile_.linesWritten;
    record_.evaluation = values(profile_, evaluationPoints);

    profile::extractEvaluationWindow(
        conditions::itemText(conditions_, layouts_.items, codeOf(conditions::Item::Filter)),
        measured, profile_.outputLines, evaluationPoints);
    if (state.tiltCompensation) profile::tiltCorrect(profile_.outputLines, profile_.pointCount);
    convertToMicroinches();
    profile_.outputFileName = "Measured.csv";
    measurement::writeOutputFile(profile_, files_);
    record_.measured = values(profile_, profile_.linesWritten);

    profile_.clearOutputLines();
    co_await readResults();
    // Every field a line, an empty one too, so that later fields keep their
    // places; a refused read writes no Parameter.csv for this run.
    if (record_.resultsRefused) {
        files_.stageRemoval("Parameter.csv");
    } else {
        std::string fields;
        for (const std::string& field : record_.results) fields += field + "\r\n";
        files_.stage("Parameter.csv", std::move(fields));
    }

    co_await writeConditionFile();

    // The parameters, computed on the PC from the whole measured profile.
    auto analyse = [measuredUm = std::move(measuredUm), evaluationUm = std::move(evaluationUm),
                    run = measurement::analysisConditions(conditions_, layouts_.items)] {
        return analysis::analyseRun(measuredUm, evaluationUm, run);
    };
    record_.analysis = co_await async::compute(p_.worker, std::move(analyse));
    files_.stage("Analysis.csv", analysis::csvParameters(record_.analysis));
    co_return RunEnd{Outcome::Written, record_.resultsRefused ? record_.reason : std::string()};
}

// The fields of "RDRES00", one a line. An error reply leaves "No data" in
// the status list and no fields: its number is no result.
async::Task<void> Session::readResults() {
    p_.observer.statusList({});
    const std::string reply = co_await link_.exchange("RDRES00");
    if (const auto refusal = link::refusalIn(reply)) {
        record_.results.clear();
        record_.resultsRefused = true;
        record_.reason = refusal->number >= 1 && refusal->number <= texts::kLastInstrumentError
                             ? p_.catalog.instrumentError(refusal->number)
                             : "NG" + refusal->code;
        p_.observer.statusList({"No data"});
        co_return;
    }
    std::vector<std::string> lines;
    std::string field;
    for (std::size_t i = 2; i < reply.size(); ++i) {
        const char c = reply[i];
        if (c != ',' && c != '\r') {
            field.push_back(c);
            continue;
        }
        lines.push_back(field);
        field.clear();
        if (c == '\r') break;
    }
    record_.results = lines;
    p_.observer.statusList(lines);
}

// The condition record's fields, one a line, then the condition listing.
async::Task<void> Session::writeConditionFile() {
    profile_.clearOutputLines();
    conditions_ = co_await readConditions();
    profile_.outputFileName = "Condition.csv";
    const std::vector<std::string> listing = measurement::conditionListingLines(
        {conditions_, layouts_.items, model_.romVersion, p_.languageCode});
    std::size_t line = 0;
    const auto add = [&](const std::string& text) {
        if (++line < profile_.outputLines.size()) profile_.outputLines[line] = text;
    };
    for (std::size_t k = 1; k < conditions_.fields.size(); ++k) add(conditions_.fields[k]);
    for (const std::string& text : listing) add(text);
    measurement::writeOutputFile(profile_, files_);
    record_.conditions = conditions_;
    record_.listing = listing;
}

void Session::convertToMicroinches() {
    if (!inchUnit()) return;
    for (std::int32_t i = 1; i <= profile_.pointCount; ++i) {
        std::string& point = profile_.outputLines[static_cast<std::size_t>(i)];
        if (point.empty()) continue;
        point = profile::numberText(profile::readValue(point) * kMicroinchesPerMicrometre);
    }
}

void Session::publishFiles() {
    const std::vector<std::string> names = files_.names();
    const std::string notSaved = files_.publish(p_.dataFolder);
    if (!notSaved.empty()) {
        // The catalog has no text for a full disk; the operator is told what failed.
        record_.outcome = measurement::RunRecord::Outcome::Failed;
        record_.reason = p_.catalog.programText(lang::ProgramText::NotSaved, notSaved);
        std::vector<std::string> lines = record_.results;
        lines.push_back(record_.reason);
        p_.observer.statusList(lines);
        return;
    }
    for (const std::string& name : names)
        record_.files.push_back((p_.dataFolder / name).string());
}

}  // namespace kt520::session
