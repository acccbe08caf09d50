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

    std::vector<std::string> points{""};
    std::int32_t pointCount = 0;
    std::string runMode = "WRSTA";
    int transferFailures = 0;
};

TEST_F(ReadBlock, ValuesBecomeNumberTextNumberedOnFromOne) {
    peer.once("RDDTB00", blockReply({1.0f, 0.5f, -0.25f}));
    peer.once("RDDTB00", blockReply({1234.567f, 1.5e-5f}));
    fetch();
    fetch();
    EXPECT_EQ(link.blockHead, "OK");
    EXPECT_EQ(pointCount, 5);
    EXPECT_EQ(points, (std::vector<std::string>{"", "1", ".5", "-.25", "1234.567", "1.5E-05"}));
    EXPECT_EQ(link.bytesWaiting(), 0);  // the trailing byte is read too
    EXPECT_EQ(runMode, "WRSTA");
    EXPECT_EQ(transferFailures, 0);
    EXPECT_TRUE(link.byteMode());
}

TEST_F(ReadBlock, TheBytes3F800000AreTheText1) {
    peer.on("RDDTB00", std::string("OK\x00\x01\x3F\x80\x00\x00\r", 9));
    fetch();
    ASSERT_EQ(pointCount, 1);
    EXPECT_EQ(points[1], "1");
}

TEST_F(ReadBlock, AnEmptyBlockReadsFiveBytesAndAddsNothing) {
    peer.on("RDDTB00", std::string("OK\x00\x00\r", 5) + "next");
    fetch();
    EXPECT_EQ(link.blockHead, "OK");
    EXPECT_EQ(pointCount, 0);
    EXPECT_EQ(link.bytesWaiting(), 4);
}

TEST_F(ReadBlock, AnOversizedCountStopsAfterTheHead) {
    peer.on("RDDTB00", blockHeadBytes(1001) + std::string(12, '\x41'));
    fetch();
    EXPECT_EQ(link.blockHead, "OK");
    EXPECT_EQ(pointCount, 0);
    EXPECT_EQ(link.bytesWaiting(), 12);
    EXPECT_EQ(runMode, "WRSTA");
}

TEST_F(ReadBlock, AnErrorBlockKeepsItsFiveCharacters) {
    peer.on("RDDTB00", "NG04\r");
    fetch();
    EXPECT_EQ(link.blockHead, "NG04\r");
    EXPECT_EQ(runMode, "WRSTA");
    EXPECT_TRUE(op.messages.empty());
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

TEST_F(ReadBlock, OutsideARunNothingIsRead) {
    peer.on("RDDTB00", blockReply({1.0f}));
    runMode = "WRSTP";
    fetch();
    EXPECT_EQ(link.blockHead, "");
    EXPECT_EQ(pointCount, 0);
    EXPECT_GT(link.bytesWaiting(), 0);
}

TEST_F(ReadBlock, ABlockCutShortFailsTheTransferOnce) {
    peer.on("RDDTB00", blockReply({1.0f, 2.0f}).substr(0, 9));
    runMode = "DRSTA";
    fetch();
    EXPECT_EQ(runMode, "WRSTP");
    EXPECT_EQ(transferFailures, 1);
    EXPECT_FALSE(link.byteMode());
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Communication is abnormal! "});
}

TEST_F(ReadBlock, AnUnansweredRequestFailsTheTransfer) {
    fetch();
    EXPECT_EQ(runMode, "WRSTP");
    EXPECT_EQ(transferFailures, 1);
    EXPECT_EQ(op.messages.size(), 1u);
}

TEST_F(ReadBlock, ARefusedRequestFailsTheTransfer) {
    link.linkState = "NG";
    fetch();
    EXPECT_EQ(runMode, "WRSTP");
    EXPECT_EQ(transferFailures, 1);
}

TEST_F(ReadBlock, ALinePulledMidBlockEndsAtOnce) {
    std::vector<float> values(1000, 0.125f);
    peer.bytesPerMilli = 2;
    peer.on("RDDTB00", blockReply(values));
    const Millis start = pump.now();
    pump.onEvents = [&] {
        if (pump.now() > start + Millis{500}) port.pullPlug();
    };
    fetch();
    EXPECT_EQ(runMode, "WRSTP");
    EXPECT_EQ(transferFailures, 1);
    EXPECT_LE(pump.now() - start, Millis{1000});
    EXPECT_EQ(op.messages.size(), 1u);
}

TEST_F(ReadBlock, AFullBlockAtLineSpeedArrivesWhole) {
    std::vector<float> values(1000);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i) / 8;
    peer.bytesPerMilli = 2;  // about 2 s for 4005 bytes, longer than the per-byte bound
    link.setReplyTimeout(Millis{200});
    peer.on("RDDTB00", blockReply(values));
    fetch();
    EXPECT_EQ(pointCount, 1000);
    EXPECT_EQ(points[1000], "124.875");
    EXPECT_EQ(runMode, "WRSTA");
}

}  // namespace
}  // namespace kt520::testing
