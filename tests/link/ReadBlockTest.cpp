// Profile blocks: head, point count, big-endian singles and the trailing byte.
#include "link/LinkFixture.h"

namespace kt520::testing {
namespace {

using link::Millis;

class ReadBlock : public LinkFixture {
  protected:
    void SetUp() override {
        connect();
        link.onTransferFailed = [this] { ++transferFailures; };
        link.setByteMode();
    }

    // Asks for the next block as the transfer loop does and reads it.
    void fetch() {
        link.sendCommand("RDDTB00");
        link.readBlock(points, pointCount, runMode);
    }

    // The transfer failed once: stopped, back in text mode, the operator told once.
    void expectTransferFailed() {
        EXPECT_EQ(runMode, "WRSTP");
        EXPECT_EQ(transferFailures, 1);
        EXPECT_FALSE(link.byteMode());
        EXPECT_EQ(op.texts(), std::vector<std::string>{"Communication is abnormal! "});
    }

    std::vector<std::string> points{""};
    std::int32_t pointCount = 0;
    std::string runMode = "WRSTA";
    int transferFailures = 0;
};

TEST_F(ReadBlock, ValuesBecomeNumberTextNumberedOnFromOne) {
    peer.once("RDDTB00", std::string("OK\x00\x01\x3F\x80\x00\x00\r", 9));  // the single 1.0
    peer.once("RDDTB00", blockReply({0.5f, -0.25f}));
    peer.once("RDDTB00", blockReply({1234.567f, 1.5e-5f}));
    for (int i = 0; i < 3; ++i) fetch();
    EXPECT_EQ(link.blockHead, "OK");
    EXPECT_EQ(pointCount, 5);
    EXPECT_EQ(points, (std::vector<std::string>{"", "1", ".5", "-.25", "1234.567", "1.5E-05"}));
    EXPECT_EQ(link.bytesWaiting(), 0);  // the trailing byte is read too
    EXPECT_EQ(runMode, "WRSTA");
    EXPECT_EQ(transferFailures, 0);
    EXPECT_TRUE(link.byteMode());
}

// Reply, run mode, the head kept and the bytes left unread.
TEST_F(ReadBlock, BlocksWithoutPointsAddNothingAndLeaveTheRestWaiting) {
    const std::tuple<std::string, const char*, const char*, int> cases[] = {
        {std::string("OK\x00\x00\r", 5) + "next", "WRSTA", "OK", 4},  // empty: five bytes
        {blockHeadBytes(1001) + "twelve bytes", "WRSTA", "OK", 12},   // oversized count
        {"NG04\r", "WRSTA", "NG04\r", 0},                             // error reply
        {blockReply({1.0f}), "WRSTP", "", 9},                         // outside a run
    };
    for (const auto& [reply, mode, head, left] : cases) {
        SCOPED_TRACE(head);
        runMode = mode;
        peer.once("RDDTB00", reply);
        fetch();
        EXPECT_EQ(link.blockHead, head);
        EXPECT_EQ(pointCount, 0);
        EXPECT_EQ(link.bytesWaiting(), left);
        EXPECT_EQ(runMode, mode);
    }
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(transferFailures, 0);
}

TEST_F(ReadBlock, AnUnknownHeadIsAnInternalErrorThatEndsTheProgram) {
    peer.on("RDDTB00", "XY\x00\x00\r");
    EXPECT_THROW(fetch(), lang::ProgramEnded);
    EXPECT_TRUE(op.ended);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Communication Softwear Error。No.17");
    EXPECT_EQ(op.messages[0].title, "Warning");
}

TEST_F(ReadBlock, MoreThan30000PointsStopTheTransfer) {
    pointCount = link::kMaxProfilePoints - 1;
    peer.on("RDDTB00", blockReply({1.0f, 2.0f, 3.0f}));
    fetch();
    EXPECT_EQ(pointCount, link::kMaxProfilePoints);
    EXPECT_EQ(points[static_cast<std::size_t>(pointCount)], "1");
    EXPECT_EQ(runMode, "WRSTP");
    EXPECT_EQ(transferFailures, 1);
    EXPECT_FALSE(link.byteMode());
}

TEST_F(ReadBlock, ABlockCutShortAnUnansweredOrARefusedRequestFailsTheTransfer) {
    for (const char* failure : {"cut short", "unanswered", "refused"}) {
        SCOPED_TRACE(failure);
        op.messages.clear();
        transferFailures = 0;
        runMode = "DRSTA";
        link.setByteMode();
        peer.forgetAnswers();
        if (failure == std::string("cut short")) {
            peer.once("RDDTB00", blockReply({1.0f, 2.0f}).substr(0, 9));
        }
        if (failure == std::string("refused")) link.linkState = "NG";
        fetch();
        expectTransferFailed();
    }
}

TEST_F(ReadBlock, AFullBlockAtLineSpeedArrivesWholeAndAPulledLineEndsItAtOnce) {
    std::vector<float> values(1000);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i) / 8;
    peer.bytesPerMilli = 2;  // about 2 s for 4005 bytes, longer than the per-byte bound
    link.setReplyTimeout(Millis{200});
    peer.on("RDDTB00", blockReply(values));
    fetch();
    EXPECT_EQ(pointCount, 1000);
    EXPECT_EQ(points[1000], "124.875");
    EXPECT_EQ(runMode, "WRSTA");

    const Millis start = pump.now();
    pump.onEvents = [&] {
        if (pump.now() > start + Millis{500}) port.pullPlug();
    };
    fetch();
    expectTransferFailed();
    EXPECT_LE(pump.now() - start, Millis{1000});
}

}  // namespace
}  // namespace kt520::testing
