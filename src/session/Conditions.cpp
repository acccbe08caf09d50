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

std::string itemName(const lang::MessageCatalog& catalog, conditions::Item item) {
    return catalog.conditionItemName(conditions::codeOf(item));
}

// "Cut-off "9", Speed "X"": each item with the code that came for it.
std::string listOf(const lang::MessageCatalog& catalog,
                   const std::vector<conditions::UnreadCode>& unread) {
    std::string list;
    for (const conditions::UnreadCode& each : unread)
        list += (list.empty() ? "" : ", ") + catalog.programText(lang::ProgramText::ItemAndCode,
                                                                 itemName(catalog, each.item),
                                                                 each.code);
    return list;
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
    (void)co_await readConditionsIntoPanel();
}

async::Task<std::optional<std::string>> Session::readConditionsIntoPanel() {
    const std::string reply = co_await link_.exchange("RDCON00");
    // A refusal is no record: the panel stays as it was.
    if (const auto refusal = link::refusalIn(reply)) co_return showRefusal("RDCON00", *refusal);
    conditions_ = conditions::conditionsFromReply(reply, layouts_);
    const std::vector<conditions::UnreadCode> unread =
        p_.panel.showConditions(conditions_, layouts_.items);
    if (unread.empty()) co_return std::nullopt;
    co_return warnText(p_.catalog.programText(lang::ProgramText::UnknownConditionCodes,
                                              listOf(p_.catalog, unread)));
}

// The panel sent over the instrument's own conditions where they are not
// known would overwrite them with stale values.
std::optional<std::string> Session::refuseUnconfirmed() {
    std::string names;
    for (const conditions::Item item : p_.panel.unconfirmed())
        names += (names.empty() ? "" : ", ") + itemName(p_.catalog, item);
    if (names.empty()) return std::nullopt;
    return warnText(p_.catalog.programText(lang::ProgramText::ConditionsUnconfirmed, names));
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
