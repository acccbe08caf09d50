// Origin return and the jog buttons send their command pairs and nothing else.
#include "link/DriveUnit.h"
#include "link/LinkFixture.h"

namespace kt520::testing {
namespace {

using Commands = std::vector<std::string>;

class Drive : public LinkFixture {
  protected:
    void SetUp() override {
        connect();
        for (const char* command : {"WRSPD33", "WRSPD44", "WRSPD45", "WRESP", "WRRTN", "WRSTP"}) {
            peer.on(command, "OK\r");
        }
    }

    link::DriveUnit drive{link};
};

TEST_F(Drive, JogFourPressAndReleaseSendExactlyThreeCommands) {
    drive.jogPress(4);
    drive.jogRelease();
    EXPECT_EQ(peer.commands, (Commands{"WRSPD44", "WRRTN", "WRSTP"}));
    EXPECT_TRUE(port.written().ends_with("WRSPD44\rWRRTN\rWRSTP\r"));
}

TEST_F(Drive, EachJogButtonHasItsSpeedAndDirection) {
    for (int index = 1; index <= 4; ++index) drive.jogPress(index);
    EXPECT_EQ(peer.commands, (Commands{"WRSPD33", "WRESP", "WRSPD44", "WRESP", "WRSPD33", "WRRTN",
                                       "WRSPD44", "WRRTN"}));
}

TEST_F(Drive, UnknownJogButtonsSendNothing) {
    drive.jogPress(0);
    drive.jogPress(5);
    EXPECT_TRUE(peer.commands.empty());
}

TEST_F(Drive, OriginReturnNeverStops) {
    drive.originReturn();
    EXPECT_EQ(peer.commands, (Commands{"WRSPD45", "WRRTN"}));
}

TEST_F(Drive, ARefusedLineShowsOneMessagePerCommand) {
    link.linkState = "NG";
    drive.jogPress(1);
    drive.jogRelease();
    EXPECT_EQ(op.messages.size(), 3u);
    EXPECT_TRUE(peer.commands.empty());
}

TEST_F(Drive, ASilentInstrumentCostsOneWaitAndOneMessage) {
    peer.forgetAnswers();
    const link::Millis start = pump.now();
    drive.jogPress(2);
    EXPECT_EQ(peer.commands, Commands{"WRSPD44"});
    EXPECT_EQ(op.messages.size(), 1u);
    EXPECT_LE(pump.now() - start, link::kDefaultReplyTimeout + link::Millis{10});
}

}  // namespace
}  // namespace kt520::testing
