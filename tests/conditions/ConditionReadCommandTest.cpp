#include "conditions/ConditionReadCommand.h"

#include <gtest/gtest.h>

#include "ConditionFixtures.h"

namespace kt520::conditions {
namespace {

class ConditionReadCommandTest : public testing::ConditionLineTest {
  protected:
    ConditionReadCommandTest() {
        model.romVersion = 1102;
        model.modelKind = 1;
        model.driveRange = 50.8f;
        panel.installHandlers();
        // Identification learns that the instrument now runs firmware 1103.
        identify = [this] {
            ++identifications;
            model.romVersion = 1103;
            model.modelKind = 2;
            return identificationResult;
        };
        const ConditionLayout longReply = conditionReplyLayout(1103);
        peer.on("RDCON00", testing::conditionRecord(longReply, {{1, "4"},
                                                                {2, "3"},
                                                                {3, "2"},
                                                                {12, "1"},
                                                                {13, "7.5"},
                                                                {38, " 0.64,  3.2, 16.0, 25.4"}}) +
                               "\r");
    }

    ConditionReadOutcome runCommand() {
        ConditionReadCommand command(
            {link, layouts, conditions, panel, op, catalog, model, outputFileName, identify});
        return command.run();
    }

    ui::MainWindowModel window;
    link::ModelInfo model;
    rules::ConditionRules rules{window, model, op, catalog};
    ConditionPanel panel{window, model, rules};
    ConditionLayouts layouts;
    ConditionSet conditions;
    std::string outputFileName = "Measured.csv";
    std::string identificationResult = "OK";
    int identifications = 0;
    std::function<std::string()> identify;
};

TEST_F(ConditionReadCommandTest, IdleInstrumentIsReadIntoTheSetAndThePanel) {
    peer.on("RDSTU00", "OK000000000");
    const ConditionReadOutcome outcome = runCommand();
    EXPECT_EQ(outcome.identification, "OK");
    EXPECT_TRUE(outcome.conditionsRead);
    EXPECT_EQ(identifications, 1);
    EXPECT_EQ(peer.commands, (std::vector<std::string>{"RDSTU00", "RDCON00"}));
    EXPECT_EQ(outputFileName, "Condition.csv");
    ASSERT_EQ(conditions.fields.size(), 52u);  // cut with the layout of the new firmware
    EXPECT_EQ(conditions.evaluationLengthText, "  7.5");
    EXPECT_TRUE(window.optCUT.isSelected(4));
    EXPECT_EQ(window.txtALEN[3].text, " 16.0");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(ConditionReadCommandTest, FailedIdentificationKeepsTheLayoutsItHad) {
    identificationResult = "NON";
    peer.on("RDSTU00", "OK000000000");
    const ConditionReadOutcome outcome = runCommand();
    EXPECT_EQ(outcome.identification, "NON");
    EXPECT_TRUE(outcome.conditionsRead);
    EXPECT_EQ(conditions.fields.size(), 39u);
}

TEST_F(ConditionReadCommandTest, BusyInstrumentAsksTheOperatorToWaitAndReadsNothing) {
    for (const char* busy : {"1", "2", "3", "4", "5", "7"}) {
        SCOPED_TRACE(busy);
        op.messages.clear();
        peer.commands.clear();
        peer.on("RDSTU00", std::string("OK") + busy + "00000000");
        const ConditionReadOutcome outcome = runCommand();
        EXPECT_FALSE(outcome.conditionsRead);
        EXPECT_EQ(peer.commands, std::vector<std::string>{"RDSTU00"});
        ASSERT_EQ(op.messages.size(), 1u);
        EXPECT_EQ(op.messages[0].text, "Please wait for a while.");
        EXPECT_EQ(op.messages[0].title, "Warning");
        EXPECT_EQ(op.messages[0].icon, lang::MessageIcon::Stop);
    }
    EXPECT_EQ(outputFileName, "Measured.csv");
    EXPECT_TRUE(conditions.fields.empty());
}

TEST_F(ConditionReadCommandTest, OtherStatusesReadTheConditions) {
    for (const char* status : {"0", "6", "8"}) {
        SCOPED_TRACE(status);
        peer.on("RDSTU00", std::string("OK") + status + "00000000");
        EXPECT_TRUE(runCommand().conditionsRead);
    }
    peer.on("RDSTU00", "NG04\r");
    EXPECT_TRUE(runCommand().conditionsRead);
}

}  // namespace
}  // namespace kt520::conditions
