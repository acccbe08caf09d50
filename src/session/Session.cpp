// The session's queue: one action at a time, and the one place where a lost
// line or an internal fault ends an action.
#include "session/Session.h"

#include <algorithm>
#include <utility>

#include "async/Sleep.h"
#include "session/Texts.h"

namespace kt520::session {
namespace {

// How long after the Stop click "WRSTP" goes out.
constexpr async::Millis kStopDelay{1000};

bool isRun(Action action) {
    return action == Action::Start || action == Action::Read;
}

}  // namespace

std::string_view runModeText(RunMode mode) {
    switch (mode) {
        case RunMode::Measuring:
            return "WRSTA";
        case RunMode::Reading:
            return "DRSTA";
        case RunMode::Stopped:
            return "WRSTP";
        case RunMode::None:
            break;
    }
    return "";
}

Session::Session(Parts parts) : p_(std::move(parts)), link_(p_.loop, p_.line) {}

Session::~Session() {
    if (scheduled_ != 0) p_.loop.cancel(scheduled_);
}

bool Session::runPending() const {
    if (running_ && currentAction_ && isRun(*currentAction_)) return true;
    return std::any_of(queue_.begin(), queue_.end(),
                       [](const Request& request) { return isRun(request.action); });
}

void Session::post(Request request) {
    if (ended_) return;
    if (isRun(request.action)) p_.observer.runBusy(true);
    queue_.push_back(request);
    scheduleNext();
}

void Session::stop() {
    if (ended_) return;
    const async::Millis at = p_.loop.now() + kStopDelay;
    runMode_ = RunMode::Stopped;
    if (running_ && currentAction_ && isRun(*currentAction_)) {
        stopClicked_ = true;
        link_.slipIn("WRSTP", at);
        return;
    }
    // A run that has not begun yet never will.
    const auto queuedRun = std::find_if(
        queue_.begin(), queue_.end(), [](const Request& request) { return isRun(request.action); });
    if (queuedRun != queue_.end()) {
        queue_.erase(queuedRun);
        p_.observer.runBusy(false);
    }
    queue_.push_back({Action::Stop, 0, at});
    scheduleNext();
}

void Session::scheduleNext() {
    if (running_ || scheduled_ != 0 || queue_.empty()) return;
    scheduled_ = p_.loop.post([this] {
        scheduled_ = 0;
        runNext();
    });
}

void Session::runNext() {
    if (running_ || queue_.empty() || ended_) return;
    const Request request = queue_.front();
    queue_.pop_front();
    running_ = true;
    currentAction_ = request.action;
    p_.observer.actionStarted(request.action);
    current_ = async::Job(perform(request));
    // The job reports from inside its last step; it is destroyed on the next round.
    current_.start([this, action = request.action](std::exception_ptr) {
        p_.loop.post([this, action] { finish(action); });
    });
}

void Session::finish(Action action) {
    current_ = async::Job();
    running_ = false;
    currentAction_.reset();
    p_.observer.actionEnded(action);
    if (ended_) {
        p_.observer.programEnds();
        return;
    }
    scheduleNext();
}

async::Task<void> Session::perform(Request request) {
    try {
        co_await dispatch(request);
    } catch (const link::LineLost& lost) {
        lineLost(lost.fault);
    } catch (const lang::InternalFault& fault) {
        internalFault(fault);
    }
    if (isRun(request.action)) {
        stopClicked_ = false;
        p_.observer.runBusy(false);
    }
    // A Stop clicked near the end of a run still sends its "WRSTP".
    try {
        co_await link_.flushSlipIns();
    } catch (const link::LineLost& lost) {
        lineLost(lost.fault);
    }
}

async::Task<void> Session::dispatch(Request request) {
    switch (request.action) {
        case Action::Search:
            co_await search();
            break;
        case Action::Connect:
            co_await connect(request.argument);
            break;
        case Action::Start:
            co_await start();
            break;
        case Action::Read:
            co_await read();
            break;
        case Action::ResultRead:
            co_await resultRead();
            break;
        case Action::ConditionRead:
            co_await conditionRead();
            break;
        case Action::Origin:
        case Action::JogPress:
        case Action::JogRelease:
            co_await drive(request);
            break;
        case Action::Stop:
            co_await async::sleepUntil(p_.loop, request.notBefore);
            co_await link_.send("WRSTP");
            break;
        case Action::CardImport:
            co_await importCard(std::move(request));
            break;
    }
}

// The operation ends here; whatever a run had staged is dropped, so the
// previous run's files stay as they were.
void Session::lineLost(link::LineFault /*fault*/) {
    link_.dropSlipIns();
    files_.discard();
    const std::string told = warn(texts::kLineAbnormal);
    if (currentAction_ && isRun(*currentAction_)) {
        runMode_ = RunMode::Stopped;
        finishRun({measurement::RunRecord::Outcome::Failed, told});
    }
}

void Session::internalFault(const lang::InternalFault& fault) {
    const std::string text = fault.text == lang::FaultText::No1 ? p_.catalog.listingLengthError()
                                                                : p_.catalog.internalError();
    p_.observer.showMessage({text, p_.catalog.boxTitle(texts::kWarning), Icon::Stop});
    ended_ = true;
    queue_.clear();
    link_.dropSlipIns();
    files_.discard();
}

}  // namespace kt520::session
