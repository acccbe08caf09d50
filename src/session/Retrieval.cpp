// Fetching what a measurement produced: the profiles block by block, the
// results and the conditions, staged as the four data files and published
// together at the run's end.
#include <chrono>

#include "analysis/ParameterText.h"
#include "async/Sleep.h"
#include "measurement/AnalysisConditions.h"
#include "measurement/DataFiles.h"
#include "measurement/ExpectedPoints.h"
#include "profile/NumberText.h"
#include "profile/ProfileFilters.h"
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {
namespace {

// While the instrument measures it may have no new points yet: ask again after this.
constexpr async::Millis kEmptyBlockPause{50};

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
    profile::TextList measured(profile_.outputLines.begin(),
                               profile_.outputLines.begin() + profile_.pointCount + 1);

    setStatusText(texts::kEvaluationProfileData);
    (void)co_await link_.exchange("WRCAN0000101");
    profile_.outputFileName = "Evaluation.csv";
    co_await transferProfile(state, true);
    measurement::ProfileHeights heights = measurement::stageProfiles(
        std::move(measured), profile_,
        {conditions::itemText(conditions_, layouts_.items, codeOf(conditions::Item::Filter)),
         state.tiltCompensation, inchUnit()},
        files_, record_);

    profile_.clearOutputLines();
    co_await readResults();
    // A refused read writes no Parameter.csv for this run.
    measurement::stageResults(record_, files_);

    co_await writeConditionFile();
    co_await analyse(std::move(heights));
    co_return RunEnd{Outcome::Written, record_.resultsRefused ? record_.reason : std::string()};
}

// The parameters, computed on the PC from the whole measured profile.
async::Task<void> Session::analyse(measurement::ProfileHeights heights) {
    auto work = [heights = std::move(heights),
                 run = measurement::analysisConditions(conditions_, layouts_.items)] {
        return analysis::analyseRun(heights.measuredUm, heights.evaluationUm, run);
    };
    record_.analysis = co_await async::compute(p_.worker, std::move(work));
    files_.stage("Analysis.csv", analysis::csvParameters(record_.analysis));
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
    const std::vector<std::string> lines =
        measurement::resultFields(std::string_view(reply).substr(2));
    record_.results = lines;
    p_.observer.statusList(lines);
}

// The condition record's fields, one a line, then the condition listing.
async::Task<void> Session::writeConditionFile() {
    profile_.clearOutputLines();
    conditions_ = co_await readConditions();
    measurement::stageConditions(profile_,
                                 {conditions_, layouts_.items, model_.romVersion, p_.languageCode},
                                 files_, record_);
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
    for (const std::string& name : names) record_.files.push_back((p_.dataFolder / name).string());
}

}  // namespace kt520::session
