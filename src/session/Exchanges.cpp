// What every operation of the session needs: the status query, a command
// whose refusal is told to the operator, and the message boxes.
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {

async::Task<link::StatusReply> Session::status() {
    link::StatusReply reply = co_await link_.queryStatus();
    if (reply.kind == link::StatusReply::Kind::Refused) showRefusal("RDSTU00", reply.refusal);
    co_return reply;
}

async::Task<std::optional<std::string>> Session::refusalOf(std::string command) {
    const std::string reply = co_await link_.exchange(command);
    const auto refusal = link::refusalIn(reply);
    if (!refusal) co_return std::nullopt;
    co_return showRefusal(command, *refusal);
}

// Error 01 names the command itself, so the operator sees which one was
// refused; a number the catalog does not know shows the catch-all text and
// the code as it came.
std::string Session::showRefusal(const std::string& command, const link::Refusal& refusal) {
    std::string text;
    if (refusal.number == 1) {
        text = command;
    } else if (refusal.number >= 0 && refusal.number <= texts::kLastInstrumentError) {
        text = p_.catalog.instrumentError(refusal.number);
    } else {
        text = p_.catalog.instrumentError(texts::kUnknownInstrumentError) + " (NG" + refusal.code +
               ")";
    }
    p_.observer.showMessage({text, p_.catalog.boxTitle(texts::kWarning), Icon::Stop});
    return text;
}

std::string Session::warn(int message) {
    return warnText(p_.catalog.message(message));
}

std::string Session::warnText(std::string text) {
    p_.observer.showMessage({text, p_.catalog.boxTitle(texts::kWarning), Icon::Stop});
    return text;
}

std::string Session::inform(int message) {
    p_.observer.showMessage(
        {p_.catalog.message(message), p_.catalog.boxTitle(texts::kInformation), Icon::Information});
    return p_.catalog.message(message);
}

void Session::setStatusText(int entry) {
    p_.observer.statusText(p_.catalog.statusText(entry));
}

}  // namespace kt520::session
