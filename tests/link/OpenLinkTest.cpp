// Opening the line and the "RDKT 00" check that a KT-520 is at the other end.
#include "link/LinkFixture.h"

namespace kt520::testing {
namespace {

using link::Millis;

class OpenLink : public LinkFixture {};

TEST_F(OpenLink, ConfiguresThePortAndAsksOnceAfterTheLineHasSettled) {
    Millis askedAt{-1};
    peer.sendAt(Millis{200}, "garbage\r");  // whatever came before the question is dropped
    peer.sendAt(Millis{1000}, "late garbage\r");
    peer.on("RDKT 00", kKt520Answer);
    peer.onCommand = [&](const std::string&, Millis now) { askedAt = now; };

    EXPECT_EQ(link.openLink(1), "OK");
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(port.settings(), "28800,E,8,1");
    EXPECT_EQ(port.portNumber(), 1);
    EXPECT_EQ(port.written(), "RDKT 00\r");
    EXPECT_GE(askedAt, Millis{1000});
    EXPECT_FALSE(link.byteMode());
    EXPECT_TRUE(op.messages.empty());

    EXPECT_EQ(link.openLink(1), "");  // an open line is left alone until closed
    EXPECT_EQ(peer.openings, 1);
    link.closeLink();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(peer.isOpen);
}

TEST_F(OpenLink, AcceptsAnyAnswerWithKt52AtCharactersFiveToEight) {
    peer.on("RDKT 00", "????KT52 and anything else\r");
    EXPECT_EQ(link.openLink(1), "OK");
}

// Every failure closes the port within the 3 s from opening and leaves the
// message to the caller, which reports the failed port.
TEST_F(OpenLink, FailuresCloseThePortWithinThreeSeconds) {
    const std::tuple<const char*, std::string, int, int> cases[] = {
        {"other model", "RDKTKT210 V 1.000\r", 5, 1},
        {"short answer", "RDKTKT5\r", 5, 1},
        {"bare KT52", "KT52\r", 5, 1},
        {"empty answer", "\r", 5, 1},
        {"answer after 3 s", kKt520Answer, 2500, 1},
        {"nothing attached", kKt520Answer, 5, 7},
        {"silence", "", 0, 1},
    };
    for (const auto& [what, answer, delay, portNumber] : cases) {
        SCOPED_TRACE(what);
        link.closeLink();
        peer.forgetAnswers();
        if (!answer.empty()) peer.on("RDKT 00", answer, Millis{delay});
        const Millis start = pump.now();
        EXPECT_EQ(link.openLink(portNumber), "NG");
        EXPECT_FALSE(link.isOpen());
        EXPECT_FALSE(peer.isOpen);
        EXPECT_LE(pump.now() - start, Millis{3010});
        if (answer.empty()) {
            EXPECT_GE(pump.now() - start, Millis{3000});  // silence waits out the bound
        }
    }
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(OpenLink, WithoutDeviceReadyNothingIsSent) {
    peer.ready = false;
    peer.on("RDKT 00", kKt520Answer);
    EXPECT_EQ(link.openLink(1), "NG");
    EXPECT_TRUE(port.written().empty());
    EXPECT_FALSE(link.isOpen());
}

TEST_F(OpenLink, EndlessNoiseFailsWithinTheBoundAndAPulledLineAtOnce) {
    for (int ms = 0; ms < 5000; ++ms) peer.sendAt(Millis{ms}, "x");
    EXPECT_EQ(link.openLink(1), "NG");
    EXPECT_LE(pump.now(), Millis{3010});

    pump.advance(Millis{3000});
    const Millis start = pump.now();
    peer.onCommand = [&](const std::string&, Millis) { port.pullPlug(); };
    peer.on("RDKT 00", kKt520Answer);
    EXPECT_EQ(link.openLink(1), "NG");
    EXPECT_LT(pump.now() - start, Millis{1100});
}

}  // namespace
}  // namespace kt520::testing
