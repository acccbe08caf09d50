// Opening the line and the "RDKT 00" check that a KT-520 is at the other end.
#include "link/LinkFixture.h"

namespace kt520::testing {
namespace {

using link::Millis;

class OpenLink : public LinkFixture {};

TEST_F(OpenLink, ConfiguresThePortAndAsksOnceAfterTheLineHasSettled) {
    Millis askedAt{-1};
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
}

TEST_F(OpenLink, AcceptsAnyAnswerWithKt52AtCharactersFiveToEight) {
    peer.on("RDKT 00", "????KT52 and anything else\r");
    EXPECT_EQ(link.openLink(1), "OK");
}

TEST_F(OpenLink, RefusesOtherModelsAndShortAnswersAndClosesThePort) {
    for (const std::string answer : {"RDKTKT210 V 1.000\r", "RDKTKT5\r", "KT52\r", "\r"}) {
        SCOPED_TRACE(answer);
        peer.on("RDKT 00", answer);
        EXPECT_EQ(link.openLink(1), "NG");
        EXPECT_FALSE(link.isOpen());
        EXPECT_FALSE(peer.isOpen);
    }
}

TEST_F(OpenLink, GivesUpThreeSecondsAfterOpeningWhenNothingAnswers) {
    EXPECT_EQ(link.openLink(1), "NG");
    EXPECT_FALSE(link.isOpen());
    EXPECT_GE(pump.now(), Millis{3000});
    EXPECT_LE(pump.now(), Millis{3010});
    EXPECT_TRUE(op.messages.empty());  // the caller reports the failed port
}

TEST_F(OpenLink, AnAnswerAfterTheThreeSecondsIsTooLate) {
    peer.on("RDKT 00", kKt520Answer, Millis{2500});
    EXPECT_EQ(link.openLink(1), "NG");
}

TEST_F(OpenLink, DropsWhatArrivedBeforeTheQuestion) {
    peer.sendAt(Millis{200}, "garbage\r");
    peer.sendAt(Millis{1000}, "late garbage\r");
    peer.on("RDKT 00", kKt520Answer);
    EXPECT_EQ(link.openLink(1), "OK");
}

TEST_F(OpenLink, EndlessNoiseEndsInFailureWithinTheLimit) {
    for (int ms = 0; ms < 5000; ms += 1) peer.sendAt(Millis{ms}, "x");
    EXPECT_EQ(link.openLink(1), "NG");
    EXPECT_LE(pump.now(), Millis{3010});
}

TEST_F(OpenLink, WithoutDeviceReadyNothingIsSent) {
    peer.ready = false;
    peer.on("RDKT 00", kKt520Answer);
    EXPECT_EQ(link.openLink(1), "NG");
    EXPECT_TRUE(port.written().empty());
    EXPECT_FALSE(link.isOpen());
}

TEST_F(OpenLink, APortWithNothingAttachedFails) {
    EXPECT_EQ(link.openLink(7), "NG");
    EXPECT_FALSE(link.isOpen());
}

TEST_F(OpenLink, AnOpenLineIsLeftAloneUntilClosed) {
    connect();
    EXPECT_EQ(link.openLink(1), "");
    EXPECT_TRUE(peer.commands.empty());
    EXPECT_EQ(peer.openings, 1);

    link.closeLink();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(peer.isOpen);
}

TEST_F(OpenLink, ALinePulledDuringIdentificationFailsAtOnce) {
    peer.onCommand = [&](const std::string&, Millis) { port.pullPlug(); };
    peer.on("RDKT 00", kKt520Answer);
    EXPECT_EQ(link.openLink(1), "NG");
    EXPECT_LT(pump.now(), Millis{1100});
}

}  // namespace
}  // namespace kt520::testing
