// The measurement run: Start (a new measurement), Read (the data of one the
// instrument already made), and Result Read. A run checks that the instrument
// is idle, sends the panel's conditions, reads them back, starts the
// measurement, fetches the measured profile while it runs, polls until the
// instrument is idle, then retrieves the data into the data files. However it
// ends, the status label and the run's record say how (finishRun).
#include "async/Sleep.h"
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {
namespace {

using Outcome = measurement::RunRecord::Outcome;

// Measuring, calculating, printing, escaping, busy, or stopped at a limit.
bool busyStatus(char status) {
    return status == '1' || status == '2' || status == '3' || status == '4' || status == '5' ||
           status == '7';
}

// The status texts of the states "1" to "5" while polling.
int pollingText(char status) {
    return status - '0' + 1;
}

// Between two status queries while the instrument works: it cannot finish
// faster than this matters, and the line stays free for nothing else.
constexpr async::Millis kPollInterval{50};

// The entries by the captions the panel gives them in every language: the
// "L" of the N frame, and the boxes of the "MOTIF-L" frame.
std::string entryName(int box) {
    return box == 0 ? "L" : "MOTIF-L " + std::to_string(box);
}

// What is wrong with each entry and what it allows, one sentence each.
std::string refusalText(const lang::MessageCatalog& catalog,
                        const std::vector<conditions::LengthRefusal>& refusals) {
    using Problem = conditions::LengthRefusal::Problem;
    std::string text;
    for (const conditions::LengthRefusal& r : refusals) {
        const std::string name = entryName(r.box);
        const std::string limit = std::to_string(r.limit);
        const std::string sentence =
            r.problem == Problem::OutOfRange
                ? catalog.programText(lang::ProgramText::LengthOutOfRange, name, r.text, r.allowed)
            : r.problem == Problem::TooManyDecimals
                ? catalog.programText(lang::ProgramText::LengthTooManyDecimals, name, r.text, limit,
                                      r.allowed)
                : catalog.programText(lang::ProgramText::LengthTooLong, name, r.text, limit,
                                      r.allowed);
        text += (text.empty() ? "" : " ") + sentence;
    }
    return text;
}

}  // namespace

bool Session::transferring() const {
    return runMode_ == RunMode::Measuring || runMode_ == RunMode::Reading;
}

async::Task<void> Session::start() {
    beginRun(measurement::RunRecord::Source::Measurement);
    const Told told = co_await identifyAndTell();
    co_await followAnnouncement(told);
    if (std::optional<std::string> refused = refuseLengths()) {
        finishRun({Outcome::NotStarted, std::move(*refused)});
        co_return;
    }
    const conditions::ConditionState& panel = p_.panel.state();
    if (panel.sections.is(conditions::Sections::Arbitrary) &&
        panel.profile.is(conditions::Profile::W))
        p_.panel.applyWavinessLengthRule();
    co_await run(true);
}

// A refused evaluation length beeps and is selected once for each finding,
// and the status says why; refused motif lengths get a message box.
std::optional<std::string> Session::refuseLengths() {
    const conditions::ConditionState& panel = p_.panel.state();
    if (panel.sections.is(conditions::Sections::Arbitrary) &&
        panel.sections.enabled(conditions::Sections::Arbitrary)) {
        const std::vector<conditions::LengthRefusal> refusals = p_.panel.checkLengthEntry();
        for (std::size_t i = 0; i < refusals.size(); ++i) p_.observer.lengthRefused();
        if (!refusals.empty()) return refusalText(p_.catalog, refusals);
    }
    const std::vector<conditions::LengthRefusal> motifs = p_.panel.checkMotifLengths();
    if (!motifs.empty()) return warnText(refusalText(p_.catalog, motifs));
    return std::nullopt;
}

async::Task<void> Session::read() {
    beginRun(measurement::RunRecord::Source::Read);
    const link::StatusReply reply = co_await status();
    if (busyStatus(reply.at(3))) {
        finishRun({Outcome::NotStarted, warn(texts::kNotFinished)});
        co_return;
    }
    if (runMode_ == RunMode::Stopped) {
        warn(texts::kNoData);
        finishRun({Outcome::NoData, {}});
        co_return;
    }
    std::optional<std::string> told = co_await readConditionsIntoPanel();
    if (stopClicked_) {
        finishRun({Outcome::NoData, {}});
        co_return;
    }
    if (told) {
        finishRun({Outcome::NotStarted, std::move(*told)});
        co_return;
    }
    runMode_ = RunMode::Reading;
    co_await run(false);
}

async::Task<void> Session::resultRead() {
    const link::StatusReply reply = co_await status();
    if (busyStatus(reply.at(3))) {
        warn(texts::kPleaseWait);
        co_return;
    }
    record_ = {};
    record_.source = measurement::RunRecord::Source::ResultRead;
    co_await readResults();
    record_.outcome = Outcome::ResultsOnly;
    record_.finishedAt = std::chrono::system_clock::now();
    p_.observer.runEnded(record_);
}

void Session::beginRun(measurement::RunRecord::Source source) {
    files_.discard();
    record_ = {};
    record_.source = source;
    pollRefusalShown_ = false;
    pointsOverflowed_ = 0;
}

// The conditions are taken as the panel shows them now; what the operator
// changes while the run goes on is for the next one.
async::Task<void> Session::run(bool newMeasurement) {
    const conditions::ConditionState conditions = p_.panel.state();
    const RunEnd end = co_await measure(newMeasurement, conditions);
    finishRun(end);
}

async::Task<Session::RunEnd> Session::measure(bool newMeasurement,
                                              const conditions::ConditionState& state) {
    if (std::optional<std::string> unconfirmed = refuseUnconfirmed())
        co_return RunEnd{Outcome::NotStarted, std::move(*unconfirmed)};
    const link::StatusReply idle = co_await status();
    if (busyStatus(idle.at(3))) co_return RunEnd{Outcome::NotStarted, warn(texts::kNotFinished)};
    const std::optional<std::string> refused = co_await sendConditions(state);
    if (stopClicked_) co_return RunEnd{Outcome::NoData, {}};
    if (refused) {
        warn(texts::kNotFinished);
        co_return RunEnd{Outcome::NotStarted, *refused};
    }
    // Not measured on conditions the program cannot read.
    if (std::optional<std::string> told = co_await readConditionsIntoPanel())
        co_return RunEnd{Outcome::NotStarted, std::move(*told)};
    (void)co_await link_.exchange("WRNUM  100");
    (void)co_await link_.exchange("WRCAN0000100");
    profile_.outputFileName = "Measured.csv";

    if (newMeasurement) {
        const std::optional<RunEnd> notStarted = co_await startMeasurement();
        if (notStarted) co_return *notStarted;
    }

    setStatusText(texts::kMeasuredProfileData);
    if (state.csvSave.is(conditions::CsvSave::On)) co_await transferProfile(state, false);

    co_await pollUntilIdle();
    const link::StatusReply data = co_await status();
    if (pointsOverflowed_ > 0)
        co_return RunEnd{Outcome::NoData,
                         p_.catalog.programText(lang::ProgramText::TooManyPoints,
                                                std::to_string(pointsOverflowed_))};
    if (runMode_ == RunMode::Stopped || data.at(4) == '0') co_return RunEnd{Outcome::NoData, {}};
    co_return co_await retrieveData(state);
}

// "WRSTA", when the instrument's state allows it. The oldest firmware, away
// from its origin, returns there instead and asks for Start again. None when
// the measurement started.
async::Task<std::optional<Session::RunEnd>> Session::startMeasurement() {
    const link::StatusReply reply = co_await status();
    const char state = reply.at(3);
    const int kind = model_.modelKind;
    if (state == '6' && kind == 0) {
        const std::string told = inform(texts::kOriginMove);
        co_await link_.send("WRSTA");
        co_return RunEnd{Outcome::NotStarted, told};
    }
    const bool ready = (state == '0' && kind == 0) || ((state == '0' || state == '6') && kind >= 1);
    if (!ready) co_return RunEnd{Outcome::NotStarted, warn(texts::kNotFinished)};
    if (stopClicked_) co_return RunEnd{Outcome::NoData, {}};
    const std::optional<std::string> refused = co_await refusalOf("WRSTA");
    // A Stop clicked while "WRSTA" was answered stands.
    runMode_ = !refused && !stopClicked_ ? RunMode::Measuring : RunMode::Stopped;
    if (refused) co_return RunEnd{Outcome::NotStarted, *refused};
    if (stopClicked_) co_return RunEnd{Outcome::NoData, {}};
    co_return std::nullopt;
}

// Until the instrument is idle ("0") or away from its origin ("6"), or
// stopped at a limit ("7"), or the operator stopped the run. A status this
// program does not know, or an error reply (told once), keeps the polling going.
async::Task<void> Session::pollUntilIdle() {
    for (bool first = true;; first = false) {
        if (runMode_ == RunMode::Stopped) co_return;
        if (!first) co_await async::sleepUntil(p_.loop, p_.loop.now() + kPollInterval);
        if (runMode_ == RunMode::Stopped) co_return;
        const link::StatusReply reply = co_await link_.queryStatus();
        if (reply.kind == link::StatusReply::Kind::Refused) {
            if (!pollRefusalShown_) showRefusal("RDSTU00", reply.refusal);
            pollRefusalShown_ = true;
            continue;
        }
        const char state = reply.at(3);
        if (state == '0' || state == '6') co_return;
        if (state == '7') {
            warn(texts::kNotFinished);
            runMode_ = RunMode::Stopped;
            co_return;
        }
        if (state >= '1' && state <= '5') setStatusText(pollingText(state));
    }
}

// The one place a run ends: its files published when it wrote them, the
// status label saying how it ended, the record handed on.
void Session::finishRun(RunEnd end) {
    record_.outcome = end.outcome;
    record_.reason = std::move(end.reason);
    if (record_.outcome == Outcome::Written) publishFiles();
    record_.finishedAt = std::chrono::system_clock::now();
    record_.inch = inchUnit();
    record_.samplingPitchText = conditions_.samplingPitchText;
    p_.observer.statusText(outcomeText());
    p_.observer.progress({});
    p_.observer.runEnded(record_);
}

std::string Session::outcomeText() const {
    using lang::ProgramText;
    switch (record_.outcome) {
        case Outcome::Written:
            if (record_.source == measurement::RunRecord::Source::Card)
                return p_.catalog.programText(
                    ProgramText::CardRead,
                    std::filesystem::path(record_.cardFile).filename().string(),
                    record_.measuredOn);
            return record_.resultsRefused
                       ? p_.catalog.programText(ProgramText::RunFinishedWithoutParameters,
                                                record_.reason)
                       : p_.catalog.programText(ProgramText::RunFinished);
        case Outcome::ResultsOnly:
            return p_.catalog.programText(ProgramText::RunFinishedResultsOnly);
        case Outcome::NoData:
            return record_.reason.empty() ? p_.catalog.statusText(texts::kNoDataStatus)
                                          : record_.reason;
        case Outcome::NotStarted:
            return p_.catalog.programText(ProgramText::RunNotStarted, record_.reason);
        case Outcome::Failed:
            break;
    }
    return p_.catalog.programText(ProgramText::RunFailed, record_.reason);
}

}  // namespace kt520::session
