// Commands, text replies, instrument error replies and the status query.
#include "link/LinkFixture.h"

namespace kt520::testing {
namespace {

using link::Millis;

class CommandExchange : public LinkFixture {
  protected:
    void SetUp() override { connect(); }

    std::vector<std::string> shown() const { return op.texts(); }
};

TEST_F(CommandExchange, SendsTheCommandWithACarriageReturnAndLeavesStaleBytesBehind) {
    peer.sendAt(pump.now(), "stale,");
    pump.advance(Millis{10});
    peer.on("RDRES00", "1.5,2.5\r");

    link.sendCommand("RDRES00");
    EXPECT_TRUE(port.written().ends_with("RDRES00\r"));
    EXPECT_EQ(link.readReply(), "1.5,2.5\r");
    EXPECT_EQ(link.replyFieldCount, 2);
    EXPECT_FALSE(link.lineFailed());
}

TEST_F(CommandExchange, CountsFieldsByCommasAndTheCarriageReturn) {
    peer.once("RDCON00", "\r");
    peer.once("RDCON00", "a,b,c\r");
    peer.once("RDCON00", ",,\r");

    link.setByteMode();
    link.sendCommand("RDCON00");
    link.readTextReply();
    EXPECT_FALSE(link.byteMode());
    EXPECT_EQ(link.replyText, "\r");
    EXPECT_EQ(link.replyFieldCount, 1);

    link.sendCommand("RDCON00");
    link.readTextReply();
    EXPECT_EQ(link.replyText, "a,b,c\r");
    EXPECT_EQ(link.replyFieldCount, 3);

    link.sendCommand("RDCON00");
    link.readTextReply();
    EXPECT_EQ(link.replyFieldCount, 3);
}

TEST_F(CommandExchange, ReadReplyKeepsTheReceiveMode) {
    peer.on("RDDTB00", "x\r");
    link.setByteMode();
    link.sendCommand("RDDTB00");
    link.readReply();
    EXPECT_TRUE(link.byteMode());
}

TEST_F(CommandExchange, ErrorRepliesShowTheInstrumentsErrorText) {
    peer.on("WRCUT3", "NG05\r");
    link.sendCommand("WRCUT3");
    EXPECT_EQ(link.checkReply("WRCUT3"), "NG");
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "OverRange-In");
    EXPECT_EQ(op.messages[0].title, "Warning");
    EXPECT_EQ(op.messages[0].icon, lang::MessageIcon::Stop);

    peer.on("WRNUM  100", "NG22\r");
    link.sendCommand("WRNUM  100");
    EXPECT_EQ(link.checkReply("WRNUM  100"), "NG");
    EXPECT_EQ(shown().back(), "Communication Softwear Error。");
}

TEST_F(CommandExchange, ErrorOneShowsTheRefusedCommandItself) {
    peer.on("WRUNT1", "NG01\r");
    link.sendCommand("WRUNT1");
    EXPECT_EQ(link.checkReply("WRUNT1"), "NG");
    EXPECT_EQ(shown(), std::vector<std::string>{"WRUNT1"});
}

TEST_F(CommandExchange, ErrorNumbersWithoutACatalogTextStillFailTheCommand) {
    peer.once("WRSTA", "NG00\r");
    peer.once("WRSTA", "NG23\r");
    peer.once("WRSTA", "NGxy\r");
    peer.once("WRSTA", "NG\r");
    for (int i = 0; i < 4; ++i) {
        link.sendCommand("WRSTA");
        EXPECT_EQ(link.checkReply("WRSTA"), "NG");
    }
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"", "Error (NG23)", "Error (NGxy)", "Error (NG)"}));
}

TEST_F(CommandExchange, AReplyThatIsNoErrorPassesTheCheckSilently) {
    peer.on("WRSTA", "OK\r");
    link.sendCommand("WRSTA");
    EXPECT_EQ(link.checkReply("WRSTA"), "");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(CommandExchange, ARefusedCommandIsNotSentAndItsReadsReturnAtOnce) {
    link.linkState = "NG";
    const std::string before = port.written();
    const Millis start = pump.now();

    link.sendCommand("WRSTA");
    EXPECT_TRUE(link.commandRefused());
    EXPECT_EQ(link.readReply(), "");
    EXPECT_EQ(link.checkReply("WRSTA"), "");  // the caller carries on with an empty reply

    EXPECT_EQ(port.written(), before);
    EXPECT_EQ(pump.now(), start);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Communication is abnormal! ");
    EXPECT_EQ(op.messages[0].title, "Warning");
    EXPECT_EQ(op.messages[0].icon, lang::MessageIcon::Stop);
}

TEST_F(CommandExchange, SilenceIsOneLineFailureThatLeavesTheLinkStateAlone) {
    const Millis start = pump.now();
    link.sendCommand("RDRES00");
    EXPECT_TRUE(link.lineFailed());
    EXPECT_GE(pump.now() - start, Millis{3000});
    EXPECT_LE(pump.now() - start, Millis{3010});

    EXPECT_EQ(link.readReply(), "");
    EXPECT_EQ(link.checkReply("RDRES00"), "NG");
    EXPECT_EQ(shown(), std::vector<std::string>{"Communication is abnormal! "});
    EXPECT_EQ(link.linkState, "OK");
    EXPECT_LE(pump.now() - start, Millis{3010});
}

TEST_F(CommandExchange, AReplyCutShortComesBackEmpty) {
    peer.on("RDRES00", "1.5,2.5");  // no carriage return ever comes
    link.setReplyTimeout(Millis{500});
    link.sendCommand("RDRES00");
    EXPECT_EQ(link.readReply(), "");
    EXPECT_EQ(link.replyFieldCount, 0);
    EXPECT_TRUE(link.lineFailed());
    EXPECT_EQ(op.messages.size(), 1u);
}

TEST_F(CommandExchange, TheNextCommandStartsAfresh) {
    link.sendCommand("RDRES00");
    ASSERT_TRUE(link.lineFailed());
    peer.on("RDRES00", "1\r");
    link.sendCommand("RDRES00");
    EXPECT_FALSE(link.lineFailed());
    EXPECT_EQ(link.readReply(), "1\r");
}

TEST_F(CommandExchange, TheBoundIsPerByteSoASlowLongReplyStillArrives) {
    std::string longReply(2000, '7');
    longReply += "\r";
    peer.bytesPerMilli = 1;  // two seconds for the whole reply
    peer.on("RDRES00", longReply);
    link.setReplyTimeout(Millis{100});
    link.sendCommand("RDRES00");
    EXPECT_EQ(link.readReply(), longReply);
    EXPECT_FALSE(link.lineFailed());
}

TEST_F(CommandExchange, EndlessTextWithoutACarriageReturnIsALineFailure) {
    peer.on("RDRES00", std::string(link::kMaxReplyLength + 10, 'x'));
    link.sendCommand("RDRES00");
    EXPECT_EQ(link.readReply(), "");
    EXPECT_TRUE(link.lineFailed());
}

TEST_F(CommandExchange, ALinePulledMidReplyEndsAtOnce) {
    peer.on("RDRES00", "1.5,");
    link.sendCommand("RDRES00");
    port.pullPlug();
    const Millis start = pump.now();
    EXPECT_EQ(link.readReply(), "");
    EXPECT_TRUE(link.lineFailed());
    EXPECT_LE(pump.now() - start, Millis{1});

    link.sendCommand("RDRES00");  // the next command on the closed port fails too
    EXPECT_TRUE(link.lineFailed());
    EXPECT_EQ(op.messages.size(), 2u);
}

TEST_F(CommandExchange, StatusGivesOneCharacterOfTheElevenByteReply) {
    peer.on("RDSTU00", "OK123456789");
    EXPECT_EQ(link.queryStatus(3), "1");
    EXPECT_EQ(link.queryStatus(4), "2");
    EXPECT_EQ(link.queryStatus(11), "9");
    EXPECT_EQ(peer.commands, (std::vector<std::string>{"RDSTU00", "RDSTU00", "RDSTU00"}));
}

TEST_F(CommandExchange, AnErrorStatusGivesItsFirstCharacter) {
    peer.on("RDSTU00", "NG02\r");
    EXPECT_EQ(link.queryStatus(3), "N");
}

TEST_F(CommandExchange, AStatusCutShortIsErr) {
    peer.on("RDSTU00", "OK1234");
    EXPECT_EQ(link.queryStatus(3), "ERR");
    EXPECT_EQ(op.messages.size(), 1u);
}

TEST_F(CommandExchange, NoStatusAtAllIsErr) {
    EXPECT_EQ(link.queryStatus(3), "ERR");
    link.linkState = "NG";
    EXPECT_EQ(link.queryStatus(3), "ERR");
}

}  // namespace
}  // namespace kt520::testing
