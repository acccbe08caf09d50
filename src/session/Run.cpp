// The measurement run: Start (a new measurement), Read (the data of one the
// instrument already made), and Result Read. A run checks that the instrument
// is idle, sends the panel's conditions, reads them back, starts the
// measurement, fetches the measured profile while it runs, polls until the
// instrument is idle, then retrieves the data into the four files.
#include "async/Sleep.h"
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {
namespace {

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

}  // namespace

bool Session::transferring() const {
    return runMode_ == RunMode::Measuring || runMode_ == RunMode::Reading;
}

async::Task<void> Session::start() {
    const Told told = co_await identifyAndTell();
    co_await followAnnouncement(told);
    const conditions::ConditionState& panel = p_.panel.state();
    const bool arbitraryLength = panel.sections.is(conditions::Sections::Arbitrary);
    if (arbitraryLength && panel.sections.enabled(conditions::Sections::Arbitrary)) {
        const int findings = p_.panel.checkLengthEntry();
        for (int i = 0; i < findings; ++i) p_.observer.lengthRefused();
        if (findings > 0) co_return;
    }
    if (arbitraryLength && panel.profile.is(conditions::Profile::W))
        p_.panel.applyWavinessLengthRule();
    co_await run(true);
}

async::Task<void> Session::read() {
    const link::StatusReply reply = co_await status();
    if (busyStatus(reply.at(3))) {
        warn(texts::kNotFinished);
        co_return;
    }
    if (runMode_ == RunMode::Stopped) {
        warn(texts::kNoData);
        co_return;
    }
    co_await readConditionsIntoPanel();
    if (stopClicked_) {
        setStatusText(texts::kNoDataStatus);
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
    profile_.outputFileName = "Parameter.csv";
    co_await readResults();
}

// The conditions are taken as the panel shows them now; what the operator
// changes while the run goes on is for the next one.
async::Task<void> Session::run(bool newMeasurement) {
    files_.discard();
    record_ = {};
    record_.source = newMeasurement ? measurement::RunRecord::Source::Measurement
                                    : measurement::RunRecord::Source::Read;
    pollRefusalShown_ = false;
    const conditions::ConditionState conditions = p_.panel.state();
    co_await measure(newMeasurement, conditions);
    publishFiles();
}

async::Task<void> Session::measure(bool newMeasurement, const conditions::ConditionState& state) {
    const link::StatusReply idle = co_await status();
    if (busyStatus(idle.at(3))) {
        warn(texts::kNotFinished);
        co_return;
    }
    const bool sent = co_await sendConditions(state);
    if (!sent) {
        if (stopClicked_) {
            setStatusText(texts::kNoDataStatus);
        } else {
            warn(texts::kNotFinished);
        }
        co_return;
    }
    co_await readConditionsIntoPanel();
    (void)co_await link_.exchange("WRNUM  100");
    (void)co_await link_.exchange("WRCAN0000100");
    profile_.outputFileName = "Measured.csv";

    if (newMeasurement) {
        const Prepared prepared = co_await startMeasurement();
        if (prepared == Prepared::NotStarted) co_return;
    }

    setStatusText(texts::kMeasuredProfileData);
    if (!transferring()) {
        // A Stop before the measurement began: there is nothing to fetch.
        if (stopClicked_) setStatusText(texts::kNoDataStatus);
        co_return;
    }
    if (state.csvSave.is(conditions::CsvSave::On)) co_await transferProfile(state, false);

    co_await pollUntilIdle();
    const link::StatusReply data = co_await status();
    if (runMode_ == RunMode::Stopped || data.at(4) == '0') {
        setStatusText(texts::kNoDataStatus);
        co_return;
    }
    co_await retrieveData(state);
}

// "WRSTA", when the instrument's state allows it. The oldest firmware, away
// from its origin, returns there instead and asks for Start again.
async::Task<Session::Prepared> Session::startMeasurement() {
    const link::StatusReply reply = co_await status();
    const char state = reply.at(3);
    const int kind = model_.modelKind;
    if (state == '6' && kind == 0) {
        inform(texts::kOriginMove);
        co_await link_.send("WRSTA");
        co_return Prepared::NotStarted;
    }
    const bool ready = (state == '0' && kind == 0) || ((state == '0' || state == '6') && kind >= 1);
    if (!ready) {
        warn(texts::kNotFinished);
        co_return Prepared::NotStarted;
    }
    if (stopClicked_) {
        setStatusText(texts::kNoDataStatus);
        co_return Prepared::NotStarted;
    }
    const bool started = co_await accepted("WRSTA");
    // A Stop clicked while "WRSTA" was answered stands.
    runMode_ = started && !stopClicked_ ? RunMode::Measuring : RunMode::Stopped;
    co_return Prepared::Started;
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

}  // namespace kt520::session
