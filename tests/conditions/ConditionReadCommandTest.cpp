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
        const std::map<int, std::string> items = {
            {1, "4"}, {2, "3"}, {3, "2"}, {12, "1"}, {13, "7.5"}, {38, " 0.64,  3.2, 16.0, 25.4"}};
        peer.on("RDCON00", testing::conditionRecord(conditionReplyLayout(1103), items) + "\r");
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

TEST_F(ConditionReadCommandTest, OnlyABusyInstrumentMakesTheOperatorWait) {
    for (std::string status : {"1", "2", "3", "4", "5", "7", "0", "6", "8", "NG04\r"}) {
        SCOPED_TRACE(status);
        const bool busy =
            status.size() == 1 && std::string("123457").find(status) != std::string::npos;
        op.messages.clear();
        peer.commands.clear();
        conditions = {};
        outputFileName = "Measured.csv";
        peer.on("RDSTU00", status.size() == 1 ? "OK" + status + "00000000" : status);
        EXPECT_EQ(runCommand().conditionsRead, !busy);
        EXPECT_EQ(peer.commands.size(), busy ? 1u : 2u);
        EXPECT_EQ(outputFileName, busy ? "Measured.csv" : "Condition.csv");
        EXPECT_EQ(conditions.fields.empty(), busy);
        ASSERT_EQ(op.messages.size(), busy ? 1u : 0u);
        if (busy) {
            EXPECT_EQ(op.messages[0].text, "Please wait for a while.");
            EXPECT_EQ(op.messages[0].title, "Warning");
            EXPECT_EQ(op.messages[0].icon, lang::MessageIcon::Stop);
        }
    }
}

}  // namespace
}  // namespace kt520::conditions
