// Origin return and the jog buttons send their command pairs and nothing else.
#include "link/DriveUnit.h"
#include "link/LinkFixture.h"

namespace kt520::testing {
namespace {

class Drive : public LinkFixture {
  protected:
    void SetUp() override {
        connect();
        for (const char* command : {"WRSPD33", "WRSPD44", "WRSPD45", "WRESP", "WRRTN", "WRSTP"}) {
            peer.on(command, "OK\r");
        }
    }
    // The commands sent since the last call, separated by blanks.
    std::string sent() {
        std::string text;
        for (const auto& command : peer.commands) text += (text.empty() ? "" : " ") + command;
        peer.commands.clear();
        return text;
    }

    link::DriveUnit drive{link};
};

TEST_F(Drive, EachButtonSendsItsSpeedAndDirectionReleaseStopsOriginReturnDoesNot) {
    const std::pair<int, const char*> jogs[] = {{1, "WRSPD33 WRESP"},
                                                {2, "WRSPD44 WRESP"},
                                                {3, "WRSPD33 WRRTN"},
                                                {4, "WRSPD44 WRRTN"},
                                                {0, ""},
                                                {5, ""}};
    for (const auto& [button, commands] : jogs) {
        drive.jogPress(button);
        EXPECT_EQ(sent(), commands) << button;
    }
    drive.jogRelease();
    EXPECT_EQ(sent(), "WRSTP");
    drive.originReturn();
    EXPECT_EQ(sent(), "WRSPD45 WRRTN");
    EXPECT_TRUE(port.written().ends_with("WRSTP\rWRSPD45\rWRRTN\r"));
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(Drive, ARefusedLineShowsOneMessagePerCommandAndASilentOneWaitsOnce) {
    link.linkState = "NG";
    drive.jogPress(1);
    drive.jogRelease();
    EXPECT_EQ(op.messages.size(), 3u);
    EXPECT_EQ(sent(), "");

    link.linkState = "OK";
    peer.forgetAnswers();
    const link::Millis start = pump.now();
    drive.jogPress(2);
    EXPECT_EQ(sent(), "WRSPD44");
    EXPECT_EQ(op.messages.size(), 4u);
    EXPECT_LE(pump.now() - start, link::kDefaultReplyTimeout + link::Millis{10});
}

}  // namespace
}  // namespace kt520::testing
