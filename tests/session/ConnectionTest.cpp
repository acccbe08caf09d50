// Finding the instrument: the start-up search, the Connect button and the
// messages of identification.
#include <gtest/gtest.h>

#include "support/SessionRig.h"

namespace kt520::testing {
namespace {

using link::LinkState;

TEST(Search, FindsTheInstrumentReadsItsConditionsAndTellsNothing) {
    SessionRig rig;
    rig.connect();
    EXPECT_EQ(rig.observer.texts(), Texts{});
    EXPECT_EQ(rig.observer.connections,
              (std::vector<std::pair<int, LinkState>>{{1, LinkState::Connected}}));
    EXPECT_EQ(rig.commands(), (Texts{"RDKT 00", "RDKT 00", "RDKT 00", "RDSTU00", "RDCON00"}));
    EXPECT_EQ(rig.session.model().romVersion, 1311);
    EXPECT_EQ(rig.session.conditions().fields.size(), 52u);
}

TEST(Search, PassesOverOtherModelsAndStopsAtAnUnsupportedOne) {
    const struct {
        const char* port1;
        Texts messages;
        std::vector<std::pair<int, LinkState>> connections;
    } cases[] = {
        {"RDKTKT210 V 1.000,0\r", {}, {{2, LinkState::Connected}}},
        {"RDKTKT529 V 1.000,0\r", {"It is not supported. "}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port1);
        ScriptedPeer other;
        other.on("RDKT 00", c.port1);
        SessionRig rig(other);
        rig.line.attach(2, rig.simulated);
        rig.connect();
        EXPECT_EQ(rig.observer.texts(), c.messages);
        EXPECT_EQ(rig.observer.connections, c.connections);
    }
}

TEST(Search, TellsOnceWhenNoPortAnswers) {
    ScriptedPeer silent;
    SessionRig rig(silent);
    rig.connect();
    EXPECT_EQ(rig.observer.texts(), Texts{"COM1: Cannot be connected to KT-520! "});
    EXPECT_EQ(rig.session.linkState(), LinkState::Failed);
}

TEST(Connect, AFailedConnectionIsToldAndTheNextGoodOneAnnouncedWithTheConditions) {
    SessionRig rig;
    rig.connect();
    rig.act(session::Action::Connect, 5);
    EXPECT_EQ(rig.observer.texts(), Texts{"COM5: Cannot be connected to KT-520! "});
    EXPECT_EQ(rig.observer.connections.back(), (std::pair<int, LinkState>{5, LinkState::Failed}));
    EXPECT_TRUE(rig.session.announceConnect());

    rig.observer.messages.clear();
    const std::size_t before = rig.commands().size();
    rig.act(session::Action::Connect, 1);
    EXPECT_EQ(rig.observer.texts(), Texts{"Connected to KT-520 "});
    EXPECT_EQ(rig.observer.messages.front().icon, session::Icon::Information);
    EXPECT_EQ(rig.commands(before), (Texts{"RDKT 00", "RDKT 00", "RDKT 00", "RDSTU00", "RDCON00"}));
    EXPECT_FALSE(rig.session.announceConnect());
}

TEST(Drive, AJogReleaseAlwaysFollowsItsPress) {
    ScriptedInstrument slow(async::Millis{40});  // slower than the operator lets go
    SessionRig rig(slow.peer);
    rig.connect();
    const std::size_t before = rig.commands().size();
    rig.session.post({session::Action::JogPress, 4});
    rig.at(rig.loop.now() + async::Millis{5},
           [&] { rig.session.post({session::Action::JogRelease}); });
    rig.settle();
    rig.act(session::Action::Origin);
    EXPECT_EQ(rig.commands(before), (Texts{"WRSPD44", "WRRTN", "WRSTP", "WRSPD45", "WRRTN"}));
}

}  // namespace
}  // namespace kt520::testing
