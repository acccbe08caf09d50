// Commands, text replies, instrument error replies, the status query and the
// bounds on every wait.
#include "link/LinkFixture.h"

namespace kt520::testing {
namespace {

using link::Millis;
using Texts = std::vector<std::string>;

class CommandExchange : public LinkFixture {
  protected:
    void SetUp() override { connect(); }
};

TEST_F(CommandExchange, SendsWithACarriageReturnDropsStaleBytesAndCountsFields) {
    peer.sendAt(pump.now(), "stale,");
    pump.advance(Millis{10});
    peer.once("RDRES00", "1.5,2.5\r");
    link.sendCommand("RDRES00");
    EXPECT_TRUE(port.written().ends_with("RDRES00\r"));
    EXPECT_EQ(link.readReply(), "1.5,2.5\r");
    EXPECT_EQ(link.replyFieldCount, 2);

    // readTextReply leaves byte mode; readReply keeps whatever mode it found.
    const std::pair<const char*, int> replies[] = {{"\r", 1}, {"a,b,c\r", 3}, {",,\r", 3}};
    for (const auto& [reply, fields] : replies) {
        SCOPED_TRACE(reply);
        peer.once("RDCON00", reply);
        link.setByteMode();
        link.sendCommand("RDCON00");
        link.readTextReply();
        EXPECT_FALSE(link.byteMode());
        EXPECT_EQ(link.replyText, reply);
        EXPECT_EQ(link.replyFieldCount, fields);
    }
    peer.on("RDDTB00", "x\r");
    link.setByteMode();
    link.sendCommand("RDDTB00");
    link.readReply();
    EXPECT_TRUE(link.byteMode());
}

TEST_F(CommandExchange, ErrorRepliesFailTheCommandWithTheInstrumentsText) {
    const std::pair<const char*, const char*> cases[] = {
        {"NG05\r", "OverRange-In"},
        {"NG22\r", "Communication Softwear Error。"},
        {"NG01\r", "WRCUT3"},  // error 1 shows the refused command itself
        {"NG00\r", ""},
        {"NG23\r", "Error (NG23)"},
        {"NGxy\r", "Error (NGxy)"},
        {"NG\r", "Error (NG)"},
    };
    for (const auto& [reply, text] : cases) {
        SCOPED_TRACE(reply);
        op.messages.clear();
        peer.once("WRCUT3", reply);
        link.sendCommand("WRCUT3");
        EXPECT_EQ(link.checkReply("WRCUT3"), "NG");
        ASSERT_EQ(op.messages.size(), 1u);
        EXPECT_EQ(op.messages[0].text, text);
        EXPECT_EQ(op.messages[0].title, "Warning");
        EXPECT_EQ(op.messages[0].icon, lang::MessageIcon::Stop);
    }
    op.messages.clear();
    peer.once("WRCUT3", "OK\r");
    link.sendCommand("WRCUT3");
    EXPECT_EQ(link.checkReply("WRCUT3"), "");
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
    EXPECT_EQ(op.messages[0].icon, lang::MessageIcon::Stop);
}

TEST_F(CommandExchange, SilenceIsOneBoundedLineFailureThatLeavesTheLinkStateAlone) {
    const Millis start = pump.now();
    link.sendCommand("RDRES00");
    EXPECT_TRUE(link.lineFailed());
    EXPECT_EQ(link.readReply(), "");
    EXPECT_EQ(link.checkReply("RDRES00"), "NG");
    EXPECT_GE(pump.now() - start, Millis{3000});
    EXPECT_LE(pump.now() - start, Millis{3010});
    EXPECT_EQ(op.texts(), Texts{"Communication is abnormal! "});
    EXPECT_EQ(link.linkState, "OK");

    peer.on("RDRES00", "1\r");  // the next command starts afresh
    link.sendCommand("RDRES00");
    EXPECT_FALSE(link.lineFailed());
    EXPECT_EQ(link.readReply(), "1\r");
}

// A reply cut short waits out the bound; endless text (no carriage return
// within the longest reply) and a line pulled mid-reply fail at once.
TEST_F(CommandExchange, BrokenRepliesComeBackEmptyAsOneLineFailure) {
    link.setReplyTimeout(Millis{500});
    const std::string endless(link::kMaxReplyLength + 10, 'x');
    const std::tuple<std::string, bool, Millis> cases[] = {
        {"1.5,2.5", false, Millis{500}}, {endless, false, Millis{0}}, {"1.5,", true, Millis{0}}};
    for (const auto& [reply, pullPlug, wait] : cases) {
        SCOPED_TRACE(reply.substr(0, 10));
        op.messages.clear();
        peer.once("RDRES00", reply);
        link.sendCommand("RDRES00");
        if (pullPlug) port.pullPlug();
        const Millis start = pump.now();
        EXPECT_EQ(link.readReply(), "");
        EXPECT_EQ(link.replyFieldCount, 0);
        EXPECT_TRUE(link.lineFailed());
        EXPECT_EQ(op.messages.size(), 1u);
        EXPECT_GE(pump.now() - start, wait);
        EXPECT_LE(pump.now() - start, wait + Millis{10});
    }
    link.sendCommand("RDRES00");  // the next command on the closed port fails too
    EXPECT_TRUE(link.lineFailed());
}

TEST_F(CommandExchange, TheBoundIsPerByteSoASlowLongReplyStillArrives) {
    const std::string longReply = std::string(2000, '7') + "\r";
    peer.bytesPerMilli = 1;  // two seconds for the whole reply
    peer.on("RDRES00", longReply);
    link.setReplyTimeout(Millis{100});
    link.sendCommand("RDRES00");
    EXPECT_EQ(link.readReply(), longReply);
    EXPECT_FALSE(link.lineFailed());
}

TEST_F(CommandExchange, StatusGivesOneCharacterOfTheElevenByteReplyOrErr) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"OK123456789", 3, "1"},  {"OK123456789", 4, "2"},
        {"OK123456789", 11, "9"}, {"NG02\r", 3, "N"},  // an error status gives its first character
        {"OK1234", 3, "ERR"},     {"", 3, "ERR"},      // cut short, or no answer at all
    };
    for (const auto& [reply, position, status] : cases) {
        SCOPED_TRACE(reply);
        peer.commands.clear();
        if (*reply) peer.once("RDSTU00", reply);
        EXPECT_EQ(link.queryStatus(position), status);
        EXPECT_EQ(peer.commands, Texts{"RDSTU00"});
    }
    link.linkState = "NG";
    EXPECT_EQ(link.queryStatus(3), "ERR");
}

}  // namespace
}  // namespace kt520::testing
