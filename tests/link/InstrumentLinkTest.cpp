// The exchange with the instrument on a virtual clock: framing, the bounds on
// every wait, the status and block replies, opening with identification, and
// a command slipped in between two exchanges.
#include <gtest/gtest.h>

#include "lang/InternalFault.h"
#include "link/InMemoryLine.h"
#include "link/InstrumentLink.h"
#include "support/RunTask.h"
#include "support/ScriptedPeer.h"

namespace kt520::testing {
namespace {

using link::LineFault;
using link::LineLost;
using link::Millis;

const std::string kKt520Answer = "RDKTKT520 V 1.103,A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P, 2 ;rest\r";

class Exchange : public ::testing::Test {
  protected:
    Exchange() {
        line.attach(1, peer);
        EXPECT_TRUE(line.open(1, link::kLineSettings));
    }
    // What an exchange ends with: the reply, or the fault that ended it and when.
    std::string outcome(async::Task<std::string> task) {
        try {
            return runTask(loop, std::move(task));
        } catch (const LineLost& lost) {
            return this->lost(lost.fault, loop.now().count());
        }
    }
    static std::string lost(LineFault fault, long long at) {
        return "lost " + std::to_string(static_cast<int>(fault)) + " at " + std::to_string(at);
    }

    async::VirtualLoop loop;
    link::InMemoryLine line{loop};
    ScriptedPeer peer;
    link::InstrumentLink link{loop, line};
};

TEST_F(Exchange, SendsTheCommandWithACarriageReturnAfterDroppingStaleBytes) {
    peer.sendAt(Millis{0}, "stale,");
    loop.runFor(Millis{10});
    peer.once("RDRES00", "1.5,2.5\r");
    EXPECT_EQ(outcome(link.exchange("RDRES00")), "1.5,2.5\r");
    EXPECT_EQ(line.written(), "RDRES00\r");
}

// A reply already whole when the reader first looks (the simulated
// instrument may compute longer than its answer takes) is read at once.
TEST_F(Exchange, AReplyThatArrivedBeforeTheWaitIsReadAtOnce) {
    peer.once("WRSTA", "OK\r", Millis{0});
    EXPECT_EQ(outcome(link.exchange("WRSTA")), "OK\r");
    EXPECT_EQ(loop.now(), Millis{0});
}

TEST_F(Exchange, EveryByteMustComeWithinTheBoundOfTheOneBefore) {
    const struct {
        std::vector<std::pair<int, std::string>> schedule;  // ms after the command, bytes
        std::string reply;                                  // or, when empty:
        LineFault fault;
        int endsAfter;
    } cases[] = {
        {{{2999, "OK\r"}}, "OK\r", {}, 0},
        {{{3001, "OK\r"}}, "", LineFault::TimedOut, 3000},
        {{{2900, "a"}, {5800, "b"}, {8700, "\r"}}, "ab\r", {}, 0},
        {{{100, "ab"}, {3200, "\r"}}, "", LineFault::TimedOut, 3100},
        {{{10, std::string(link::kMaxReplyLength + 1, '#')}}, "", LineFault::Overlong, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply + std::to_string(c.endsAfter));
        const Millis start = loop.now();
        for (const auto& [after, bytes] : c.schedule) peer.sendAt(start + Millis{after}, bytes);
        EXPECT_EQ(outcome(link.exchange("RDCON00")),
                  c.reply.empty() ? lost(c.fault, start.count() + c.endsAfter) : c.reply);
        loop.runFor(Millis{20000});
        line.clearInput();
    }
}

TEST_F(Exchange, ALinkDownSendsNothingAndAPulledPortEndsTheWait) {
    link.setState(link::LinkState::Failed);
    EXPECT_EQ(outcome(link.exchange("RDSTU00")), lost(LineFault::NotConnected, 0));
    EXPECT_EQ(line.written(), "");

    link.setState(link::LinkState::Connected);
    loop.callAt(Millis{500}, [&] { line.pullPlug(); });
    EXPECT_EQ(outcome(link.exchange("RDSTU00")), lost(LineFault::PortClosed, 500));
}

TEST_F(Exchange, StatusRepliesAreReadWholeWhateverTheyHold) {
    using Kind = link::StatusReply::Kind;
    peer.once("RDSTU00", "OK106000000");
    const link::StatusReply status = runTask(loop, link.queryStatus());
    EXPECT_EQ(std::tuple(status.kind, status.at(3), status.at(4)),
              std::tuple(Kind::Status, '1', '0'));
    peer.once("RDSTU00", "NG10\r");
    const link::StatusReply refused = runTask(loop, link.queryStatus());
    EXPECT_EQ(std::tuple(refused.kind, refused.refusal.number), std::tuple(Kind::Refused, 10));
    EXPECT_EQ(line.bytesWaiting(), 0u);
    peer.once("RDSTU00", "?!");
    const link::StatusReply odd = runTask(loop, link.queryStatus());
    EXPECT_EQ(std::tuple(odd.kind, odd.at(3)), std::tuple(Kind::Unexpected, '?'));
}

TEST_F(Exchange, BlocksAreReadToTheirDeclaredEnd) {
    peer.bytesPerMilli = 3;  // about the line's own rate
    peer.once("RDDTB00", blockReply({1.0f, -2.0f}));
    peer.once("RDDTB00", blockReply({}));
    peer.once("RDDTB00", blockReply(std::vector<float>(1001, 0.5f)));
    peer.once("RDDTB00", "NG04\r");
    using Kind = link::Block::Kind;
    const link::Block points = runTask(loop, link.fetchBlock());
    EXPECT_EQ(std::tuple(points.kind, points.points),
              std::tuple(Kind::Points, std::vector<float>{1.0f, -2.0f}));
    EXPECT_TRUE(runTask(loop, link.fetchBlock()).points.empty());
    const link::Block oversized = runTask(loop, link.fetchBlock());
    EXPECT_EQ(std::tuple(oversized.kind, oversized.declaredPoints),
              std::tuple(Kind::Oversized, 1001));
    EXPECT_EQ(runTask(loop, link.fetchBlock()).kind, Kind::End);

    peer.once("RDDTB00", std::string("XY\x00\x01zzzzz", 9));
    EXPECT_THROW(runTask(loop, link.fetchBlock()), lang::InternalFault);
}

// A reply that is not read (a drive command's, an odd status) may still be
// arriving when the next command goes out; it is taken off the line first.
TEST_F(Exchange, RepliesLeftUnreadAreNeverReadAsTheNextOne) {
    peer.bytesPerMilli = 1;
    peer.once("WRSTP", "OK\r");
    peer.once("RDSTU00", "?\x7f#%@\r");
    peer.once("RDRES00", "1.5\r");
    runTask(loop, link.send("WRSTP"));
    EXPECT_EQ(runTask(loop, link.queryStatus()).at(3), '?');
    EXPECT_EQ(outcome(link.exchange("RDRES00")), "1.5\r");

    peer.once("RDSTU00", std::string(2 * link::kMaxReplyLength, '#'));
    EXPECT_THROW(runTask(loop, link.queryStatus()), LineLost);
}

TEST_F(Exchange, ASlippedInCommandGoesBeforeTheNextExchangeButNotBeforeItsTime) {
    peer.on("WRSTP", "OK\r");
    peer.on("RDSTU00", "OK000000000");
    link.slipIn("WRSTP", Millis{1000});
    (void)runTask(loop, link.queryStatus());
    EXPECT_EQ(peer.commands, (std::vector<std::string>{"WRSTP", "RDSTU00"}));
    EXPECT_GE(loop.now(), Millis{1000});
    EXPECT_FALSE(link.hasSlipIn());
}

class Opening : public Exchange {
  protected:
    Opening() { line.close(); }
};

TEST_F(Opening, SettlesDrainsAsksAndChecksTheModelWithinThreeSeconds) {
    peer.sendAt(Millis{900}, "junk");
    peer.on("RDKT 00", kKt520Answer, Millis{40});
    EXPECT_EQ(runTask(loop, link.open(1)), link::OpenResult::Identified);
    EXPECT_EQ(peer.commands, std::vector<std::string>{"RDKT 00"});
    EXPECT_TRUE(line.isOpen());
    EXPECT_EQ(runTask(loop, link.open(1)), link::OpenResult::AlreadyOpen);
}

TEST_F(Opening, AnythingButAKt520InTimeClosesThePort) {
    const struct {
        const char* answer;
        Millis delay;
        bool ready;
    } cases[] = {
        {"RDKTKT210 V 1.0\r", Millis{5}, true},     // another model
        {"RDKTKT5\r", Millis{5}, true},             // too short to say
        {"RDKTKT520 V 1.1\r", Millis{2100}, true},  // after the 3 s from opening
        {"RDKTKT520 V 1.1\r", Millis{5}, false},    // no device-ready signal
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        peer.ready = c.ready;
        peer.on("RDKT 00", c.answer, c.delay);
        EXPECT_EQ(runTask(loop, link.open(1)), link::OpenResult::Failed);
        EXPECT_FALSE(line.isOpen());
    }
    EXPECT_EQ(runTask(loop, link.open(7)), link::OpenResult::Failed);  // nothing on port 7
}

}  // namespace
}  // namespace kt520::testing
