#include "conditions/ConditionSender.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ConditionFixtures.h"

namespace kt520::conditions {
namespace {

using Commands = std::vector<std::string>;

class ConditionSenderTest : public testing::ConditionLineTest {
  protected:
    ConditionSenderTest() {
        model.romVersion = 1000;
        model.modelKind = 0;
    }

    // Sends the panel to an instrument that accepts everything; the commands it got.
    Commands sent() {
        acceptAllExcept();
        peer.commands.clear();
        EXPECT_EQ(sendConditions(link, window, model), "OK");
        return peer.commands;
    }

    bool wasSent(const std::string& prefix) {
        return std::any_of(peer.commands.begin(), peer.commands.end(),
                           [&](const std::string& c) { return c.starts_with(prefix); });
    }

    ui::MainWindowModel window;
    link::ModelInfo model;
};

TEST_F(ConditionSenderTest, DesignTimePanelSendsItsCodesInOrder) {
    EXPECT_EQ(sent(), (Commands{"WRUNT1", "WRCUT33", "WRSTD4", "WRFIL21", "WRRAN61", "WRM A2",
                                "WRM B3", "WRTRA1", "WRSPD3"}));
}

TEST_F(ConditionSenderTest, ArbitraryLengthSendsTheCutOffPairAndTheLength) {
    window.optCUT.select(4);
    window.optSCT.select(6);
    window.txtLENG.text = "4";
    window.fstrSPD_LIMIT = "5";
    EXPECT_EQ(sent(), (Commands{"WRUNT1", "WRCUT41", "WRCUT4L", "WRSTD4", "WRFIL21", "WRRAN61",
                                "WRL  1    4     ", "WRM A2", "WRM B3", "WRTRA1", "WRSPD35"}));
}

TEST_F(ConditionSenderTest, LengthCommandIsSixteenCharactersWhateverTheEntry) {
    window.optSCT.select(6);
    const std::pair<const char*, const char*> cases[] = {
        {" 12.5 ", "WRL  1 12.5     "}, {"123456", "WRL  123456     "}, {"", "WRL  1          "}};
    for (const auto& [entry, command] : cases) {
        window.txtLENG.text = entry;
        const Commands commands = sent();
        ASSERT_GE(commands.size(), 7u);
        EXPECT_EQ(commands[6], command);
        EXPECT_EQ(commands[6].size(), 16u);
    }
    window.optUNT.select(2);
    window.txtLENG.text = ".5";
    EXPECT_EQ(sent()[6], "WRL  2   .5     ");
}

TEST_F(ConditionSenderTest, DisabledArbitraryLengthStillSendsLButNoLength) {
    window.optSCT.select(6);
    window.optSCT[6].enabled = false;
    const Commands commands = sent();
    EXPECT_EQ(commands[2], "WRCUT3L");
    EXPECT_FALSE(wasSent("WRL  "));
}

TEST_F(ConditionSenderTest, ProfilesWithoutFilterSendNon) {
    window.optFLT.select(3);
    const std::pair<int, const char*> cases[] = {{1, "WRFIL14"}, {2, "WRFIL23"}, {3, "WRFIL33"},
                                                 {4, "WRFIL43"}, {5, "WRFIL54"}, {6, "WRFIL64"}};
    for (const auto& [profile, command] : cases) {
        window.optCUV.select(profile);
        sent();
        EXPECT_TRUE(wasSent(command)) << command;
    }
}

TEST_F(ConditionSenderTest, WavinessSendsTheLongWaveLimitOneAboveTheCutOff) {
    window.optCUV.select(3);
    window.optFHL.select(3);
    const Commands commands = sent();
    const auto fhl = std::find(commands.begin(), commands.end(), "WRFHL43");
    ASSERT_NE(fhl, commands.end());
    EXPECT_EQ(*(fhl - 1), "WRTRA1");
    EXPECT_EQ(*(fhl + 1), "WRSPD3");
}

TEST_F(ConditionSenderTest, AutoReturnNeedsFirmware1004) {
    model.romVersion = 1003;
    sent();
    EXPECT_FALSE(wasSent("WRART"));
    model.romVersion = 1004;
    window.optART.select(2);
    const Commands commands = sent();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[commands.size() - 2], "WRART2");
}

TEST_F(ConditionSenderTest, MotifCommandsFollowProfileAndModelKind) {
    window.optCUV.select(5);
    window.optMTA.select(4);
    window.optANX.select(1);
    const char* lengths[] = {"0.64", " 3.2 ", "16.0", "25.4"};
    for (int k = 1; k <= 4; ++k) window.txtALEN[k].text = lengths[k - 1];

    model.modelKind = 2;
    Commands commands = sent();
    EXPECT_EQ(commands.back(), "WRML  0.64,  3.2, 16.0, 25.4");
    EXPECT_FALSE(wasSent("WRMET"));
    EXPECT_TRUE(wasSent("WRM A4"));

    model.modelKind = 3;
    window.optCUV.select(6);
    commands = sent();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[commands.size() - 2], "WRML  0.64,  3.2, 16.0, 25.4");
    EXPECT_EQ(commands.back(), "WRMET1");

    window.optCUV.select(2);
    sent();
    EXPECT_FALSE(wasSent("WRML "));
    EXPECT_FALSE(wasSent("WRMET"));

    model.modelKind = 1;
    window.optCUV.select(5);
    sent();
    EXPECT_FALSE(wasSent("WRML "));
}

TEST_F(ConditionSenderTest, OverlongMotifLengthKeepsItsLastFiveCharacters) {
    model.modelKind = 2;
    window.optCUV.select(6);
    for (int k = 1; k <= 4; ++k) window.txtALEN[k].text = "1";
    window.txtALEN[4].text = "0.0254";
    const std::string command = sent().back();
    EXPECT_EQ(command, "WRML     1,    1,    1,.0254");
    EXPECT_EQ(command.size(), 5u + 23u);
}

TEST_F(ConditionSenderTest, FirstRefusalStopsTheSequence) {
    acceptAllExcept({{"WRSTD4", "NG19\r"}});
    EXPECT_EQ(sendConditions(link, window, model), "NG");
    EXPECT_EQ(peer.commands, (Commands{"WRUNT1", "WRCUT33", "WRSTD4"}));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Condition Error");
}

TEST_F(ConditionSenderTest, RefusedFirstHalfOfTheLengthPairStopsBeforeTheSecond) {
    window.optSCT.select(6);
    acceptAllExcept({{"WRCUT31", "NG01\r"}});
    EXPECT_EQ(sendConditions(link, window, model), "NG");
    EXPECT_EQ(peer.commands, (Commands{"WRUNT1", "WRCUT31"}));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "WRCUT31");
}

TEST_F(ConditionSenderTest, CommandListIsWhatGoesOnTheLine) {
    model.romVersion = 1311;
    model.modelKind = 3;
    window.optCUV.select(6);
    window.optSCT.select(6);
    EXPECT_EQ(sent(), conditionCommands(window, model));
}

}  // namespace
}  // namespace kt520::conditions
