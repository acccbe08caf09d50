// Finding the instrument: the search of the ports at start-up, the Connect
// button, and the identification ("RDKT 00") that every connection, every
// Start and every Condition Read begins with.
#include "link/Identification.h"
#include "session/Session.h"
#include "session/Texts.h"

namespace kt520::session {

async::Task<void> Session::search() {
    int port = 1;
    bool found = false;
    for (; port <= kMaxPortNumber; ++port) {
        const link::OpenResult opened = co_await link_.open(port);
        if (opened == link::OpenResult::AlreadyOpen) continue;
        link_.setState(opened == link::OpenResult::Identified ? link::LinkState::Connected
                                                              : link::LinkState::Failed);
        if (link_.state() != link::LinkState::Connected) continue;
        const Told told = co_await identifyAndTell();
        if (told.identity == Identity::Kt520) {
            found = true;
            break;
        }
        if (told.identity == Identity::Other) break;
        // Another model answered: free the port so that the next one can open.
        link_.close();
    }
    if (found) {
        p_.observer.connected(port, link::LinkState::Connected);
        co_await conditionRead();
        announceConnect_ = false;
    }
    if (link_.state() == link::LinkState::Failed && port >= kMaxPortNumber)
        warn(texts::kNoInstrumentOnAnyPort);
}

async::Task<void> Session::connect(int portNumber) {
    link_.close();
    const link::OpenResult opened = co_await link_.open(portNumber);
    link_.setState(opened == link::OpenResult::Identified ? link::LinkState::Connected
                                                          : link::LinkState::Failed);
    if (link_.state() == link::LinkState::Connected) {
        const Told told = co_await identifyAndTell();
        co_await followAnnouncement(told);
        p_.observer.connected(portNumber, link::LinkState::Connected);
        co_return;
    }
    p_.observer.showMessage(
        {"COM" + std::to_string(portNumber) + p_.catalog.message(texts::kCannotConnect),
         p_.catalog.boxTitle(texts::kWarning), Icon::Stop});
    p_.observer.connected(portNumber, link::LinkState::Failed);
    announceConnect_ = true;
}

// "RDKT 00" into ModelInfo; a KT-520 gets the panel and the layouts of its
// firmware. The "VDA" caption and the inch unit follow every answer.
async::Task<Session::Identity> Session::identify() {
    const std::string reply = co_await link_.exchange("RDKT 00");
    model_ = link::parseIdentification(reply, model_);
    const bool isKt520 = model_.modelName == "KT520";
    if (isKt520) layouts_.prepareConditionLayouts(model_.romVersion);
    p_.panel.configureFor(model_, isKt520, p_.languageCode);
    p_.observer.identified(model_, isKt520);
    if (isKt520) co_return Identity::Kt520;
    co_return model_.modelName == "KT210" ? Identity::Kt210 : Identity::Other;
}

// Identification and its message. After a failed connection a successful
// one is announced once; the caller then reads the conditions
// (followAnnouncement).
async::Task<Session::Told> Session::identifyAndTell() {
    Told told;
    told.identity = co_await identify();
    if (told.identity == Identity::Kt520 && announceConnect_) {
        inform(texts::kConnected);
        announceConnect_ = false;
        told.connectedShown = true;
    } else if (told.identity == Identity::Other) {
        warn(texts::kModelNotSupported);
    }
    co_return told;
}

// After "Connected to KT-520 " the conditions are read as the Condition
// Read button reads them (its own identification is silent by now).
async::Task<void> Session::followAnnouncement(Told told) {
    if (!told.connectedShown) co_return;
    co_await identifyAndTell();
    co_await readConditionsIfIdle();
}

}  // namespace kt520::session
