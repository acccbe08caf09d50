// The instrument's conditions: read back onto the panel (the Condition Read
// button, and every run), and sent from the panel before a measurement.
#include "conditions/ConditionReader.h"
#include "conditions/ConditionSender.h"
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {
namespace {

// Measuring, calculating, printing, escaping, busy, or stopped at a limit.
bool busyStatus(char status) {
    return status == '1' || status == '2' || status == '3' || status == '4' || status == '5' ||
           status == '7';
}

}  // namespace

// The Condition Read button: identify again, then read the conditions onto
// the panel unless the instrument is busy.
async::Task<void> Session::conditionRead() {
    const Told told = co_await identifyAndTell();
    co_await followAnnouncement(told);
    co_await readConditionsIfIdle();
}

async::Task<void> Session::readConditionsIfIdle() {
    const link::StatusReply reply = co_await status();
    if (busyStatus(reply.at(3))) {
        warn(texts::kPleaseWait);
        co_return;
    }
    profile_.outputFileName = "Condition.csv";
    co_await readConditionsIntoPanel();
}

async::Task<void> Session::readConditionsIntoPanel() {
    conditions_ = co_await readConditions();
    p_.panel.showConditions(conditions_, layouts_.items);
}

async::Task<conditions::ConditionSet> Session::readConditions() {
    const std::string reply = co_await link_.exchange("RDCON00");
    co_return conditions::conditionsFromReply(reply, layouts_);
}

// One command per condition group, each answered before the next; the first
// refusal (told to the operator) ends the sequence, and so does a Stop.
async::Task<std::optional<std::string>> Session::sendConditions(
    const conditions::ConditionState& state) {
    for (const std::string& command : conditions::conditionCommands(state, model_)) {
        if (stopClicked_) co_return std::nullopt;
        std::optional<std::string> refused = co_await refusalOf(command);
        if (refused) co_return refused;
    }
    co_return std::nullopt;
}

}  // namespace kt520::session
