#include "conditions/ConditionSender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConditionFixtures.h"

namespace kt520::conditions {
namespace {

using Commands = std::vector<std::string>;

class ConditionCommandsTest : public ::testing::Test {
  protected:
    ConditionCommandsTest() { model.romVersion = 1000; }
    Commands commands() const { return conditionCommands(window, model); }
    ui::MainWindowModel window;
    link::ModelInfo model;
};

TEST_F(ConditionCommandsTest, DesignTimePanelSendsOneCommandPerGroupInOrder) {
    EXPECT_EQ(commands(), (Commands{"WRUNT1", "WRCUT33", "WRSTD4", "WRFIL21", "WRRAN61", "WRM A2",
                                    "WRM B3", "WRTRA1", "WRSPD3"}));
}

TEST_F(ConditionCommandsTest, ArbitraryLengthSendsTheCutOffPairAndTheLengthWhenEnabled) {
    window.optCUT.select(4);
    window.optSCT.select(6);
    window.txtLENG.text = "4";
    window.fstrSPD_LIMIT = "5";
    EXPECT_EQ(commands(), (Commands{"WRUNT1", "WRCUT41", "WRCUT4L", "WRSTD4", "WRFIL21", "WRRAN61",
                                    "WRL  1    4     ", "WRM A2", "WRM B3", "WRTRA1", "WRSPD35"}));
    const std::pair<int, const char*> entries[] = {
        {1, " 12.5 "}, {1, "123456"}, {1, ""}, {2, ".5"}};
    const char* lengths[] = {"WRL  1 12.5     ", "WRL  123456     ", "WRL  1          ",
                             "WRL  2   .5     "};
    for (int i = 0; i < 4; ++i) {
        window.optUNT.select(entries[i].first);
        window.txtLENG.text = entries[i].second;
        EXPECT_EQ(commands()[6], lengths[i]) << "sixteen characters whatever the entry";
    }
    window.optSCT[6].enabled = false;
    EXPECT_EQ(commands()[6], "WRM A2") << "a disabled L sends the pair but no length";
}

TEST_F(ConditionCommandsTest, ProfilesWithoutFilterSendNon) {
    window.optFLT.select(3);
    const char* filters[] = {"WRFIL14", "WRFIL23", "WRFIL33", "WRFIL43", "WRFIL54", "WRFIL64"};
    for (int profile = 1; profile <= 6; ++profile) {
        window.optCUV.select(profile);
        EXPECT_EQ(commands()[3], filters[profile - 1]);
    }
}

TEST_F(ConditionCommandsTest, WavinessSendsTheLongWaveLimitOneAboveTheCutOffAndThenAutoReturn) {
    window.optCUV.select(3);
    window.optFHL.select(3);
    window.optART.select(2);
    model.romVersion = 1004;
    EXPECT_EQ(commands(), (Commands{"WRUNT1", "WRCUT33", "WRSTD4", "WRFIL31", "WRRAN61", "WRM A2",
                                    "WRM B3", "WRTRA1", "WRFHL43", "WRART2", "WRSPD3"}));
    model.romVersion = 1003;
    EXPECT_EQ(commands().size(), 10u) << "auto return needs firmware 1004";
}

TEST_F(ConditionCommandsTest, MotifCommandsFollowProfileAndModelKind) {
    window.optCUV.select(5);
    window.optMTA.select(4);
    window.optANX.select(1);
    const char* lengths[] = {"0.64", " 3.2 ", "16.0", "0.0254"};  // the last five of a long one
    for (int k = 1; k <= 4; ++k) window.txtALEN[k].text = lengths[k - 1];
    model.modelKind = 2;
    EXPECT_EQ(commands(), (Commands{"WRUNT1", "WRCUT33", "WRSTD4", "WRFIL54", "WRRAN61", "WRM A4",
                                    "WRM B3", "WRTRA1", "WRSPD3", "WRML  0.64,  3.2, 16.0,.0254"}));
    model.modelKind = 3;
    window.optCUV.select(6);
    const Commands withAnx = commands();
    EXPECT_EQ(Commands(withAnx.end() - 2, withAnx.end()),
              (Commands{"WRML  0.64,  3.2, 16.0,.0254", "WRMET1"}));
    for (int kind : {1, 3}) {
        model.modelKind = kind;
        window.optCUV.select(kind == 1 ? 5 : 2);
        EXPECT_EQ(commands().back(), "WRSPD3") << "no motif commands for kind " << kind;
    }
}

class ConditionSenderTest : public testing::ConditionLineTest {
  protected:
    ui::MainWindowModel window;
    link::ModelInfo model;
};

TEST_F(ConditionSenderTest, EveryCommandGoesOnTheLineAndTheFirstRefusalStopsTheSequence) {
    model.romVersion = 1311;
    model.modelKind = 3;
    window.optCUV.select(6);
    window.optSCT.select(6);
    acceptAllExcept();
    EXPECT_EQ(sendConditions(link, window, model), "OK");
    EXPECT_EQ(peer.commands, conditionCommands(window, model));

    for (const std::string refused : {"WRCUT31", "WRSTD4"}) {
        SCOPED_TRACE(refused);
        peer.commands.clear();
        op.messages.clear();
        acceptAllExcept({{refused, "NG19\r"}});
        EXPECT_EQ(sendConditions(link, window, model), "NG");
        EXPECT_EQ(peer.commands.back(), refused) << "nothing after the refusal";
        EXPECT_EQ(op.messages.size(), 1u);
    }
}

}  // namespace
}  // namespace kt520::conditions
