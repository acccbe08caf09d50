#include <gtest/gtest.h>

#include <algorithm>

#include "RunRig.h"
#include "profile/NumberText.h"
#include "sim/Instrument.h"

namespace kt520::testing {
namespace {

using link::Millis;
using Texts = std::vector<std::string>;

const std::vector<std::vector<float>> kMeasured{{1.0f, 2.5f, -0.25f}, {0.5f, 3.0f, 4.0f}};
const std::vector<std::vector<float>> kEvaluation{{0.125f, -1.5f}, {2.0f, 1234.5f}};
const std::vector<std::string> kListingMm{"CUT 0.8mm",  "SCT 3",        "CUV R",
                                          "FLT 2CR",    "STD ISO 1997", "RNG 80um",
                                          "STP 0.50um", "UNT mm",       "LNG English"};

class MeasurementRunTest : public ::testing::Test {
  protected:
    MeasurementRunTest() { instrument.holdProfiles(kMeasured, kEvaluation); }

    ScriptedInstrument instrument;
    RunRig rig{instrument.peer};
};

TEST_F(MeasurementRunTest, BusyInstrumentRefusesTheStartAndLeavesEveryButtonEnabled) {
    instrument.peer.on("RDSTU00", statusReply('1'));
    rig.window.cmdSTART.click();
    EXPECT_EQ(rig.op.texts(), Texts{"The measurement is not finished currently. "});
    EXPECT_EQ(instrument.peer.commands, Texts{"RDSTU00"});
    EXPECT_TRUE(rig.allButtonsEnabled());
    EXPECT_TRUE(rig.noDataFiles());
}

TEST_F(MeasurementRunTest, FullRunWritesTheFourFilesFromWhatTheInstrumentSent) {
    bool sawBusy = false;
    rig.pump.onEvents = [&] {
        sawBusy = sawBusy || (!rig.window.cmdSTART.enabled && rig.window.cmdSTOP.enabled &&
                              !rig.window.cmdEND.enabled && rig.window.progressBar1.visible);
    };
    rig.window.cmdSTART.click();

    EXPECT_TRUE(rig.op.messages.empty());
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(rig.file("Evaluation.csv"), crlfLines({".125", "-1.5", "2", "1234.5"}));
    // 2CR: the evaluation window is the end of the measured profile.
    EXPECT_EQ(rig.file("Measured.csv"), crlfLines({"-.25", ".5", "3", "4"}));
    EXPECT_EQ(rig.file("Parameter.csv"), crlfLines({"1.23", "4.56"}));
    const std::string conditionFile = rig.file("Condition.csv");
    EXPECT_TRUE(conditionFile.starts_with("3\r\n3\r\n2\r\n1\r\n4\r\n6\r\n"));
    EXPECT_TRUE(conditionFile.ends_with(crlfLines(kListingMm)));
    EXPECT_EQ(std::count(conditionFile.begin(), conditionFile.end(), '\n'), 51 + 9);

    EXPECT_EQ(rig.window.lstSTATUS.items, (Texts{"1.23", "4.56"}));
    EXPECT_EQ(rig.run.runMode, "WRSTA");
    EXPECT_FALSE(rig.window.progressBar1.visible);
    EXPECT_FALSE(rig.link.byteMode());
    EXPECT_TRUE(rig.allButtonsEnabled());
    const auto& sent = instrument.peer.commands;
    const auto at = [&](const char* c) {
        return std::find(sent.begin(), sent.end(), c) - sent.begin();
    };
    EXPECT_LT(at("WRNUM  100"), at("WRCAN0000100"));
    EXPECT_LT(at("WRCAN0000100"), at("WRSTA"));
    EXPECT_LT(at("WRSTA"), at("WRCAN0000101"));
}

TEST_F(MeasurementRunTest, InchConditionsScaleBothProfilesAndListInInches) {
    sim::MeasuringConditions inch;
    inch.unit = '2';
    inch.filter = '3';
    instrument.holdConditions(inch);
    rig.window.chkKTM.checked = false;
    rig.window.cmdSTART.click();

    const auto scaled = [](std::vector<float> values) {
        std::vector<std::string> lines;
        for (float v : values) lines.push_back(profile::numberText(v * 39.37f));
        return lines;
    };
    EXPECT_EQ(rig.file("Evaluation.csv"), crlfLines(scaled({0.125f, -1.5f, 2.0f, 1234.5f})));
    // GAUSS: d = 2, the window starts at entry d / 2.
    EXPECT_EQ(rig.file("Measured.csv"), crlfLines(scaled({1.0f, 2.5f, -0.25f, 0.5f})));
    const std::string conditionFile = rig.file("Condition.csv");
    EXPECT_TRUE(conditionFile.ends_with(
        crlfLines({"CUT 0.03inch", "SCT 3", "CUV R", "FLT GAUSS", "STD ISO 1997", "RNG 3200uinch",
                   "STP 19.7uinch", "UNT inch", "LNG English"})));
}

TEST_F(MeasurementRunTest, CsvSavingOffReadsOnlyTheResults) {
    rig.window.optCUW.select(2);
    rig.window.cmdSTART.click();
    EXPECT_EQ(instrument.count("RDDTB00"), 0);
    EXPECT_EQ(rig.window.lstSTATUS.items, (Texts{"1.23", "4.56"}));
    EXPECT_TRUE(rig.noDataFiles());
}

TEST_F(MeasurementRunTest, StopDuringTheTransferEndsTheRunWithoutData) {
    bool stopped = false;
    Millis clickedAt{}, stopSentAt{};
    const auto accept = instrument.peer.onCommand;
    instrument.peer.onCommand = [&](const std::string& command, Millis now) {
        if (command == "WRSTP") stopSentAt = now;
        accept(command, now);
    };
    rig.pump.onEvents = [&] {
        if (!stopped && instrument.count("RDDTB00") == 2) {
            stopped = true;
            clickedAt = rig.pump.now();
            rig.window.cmdSTOP.click();
        }
    };
    rig.window.cmdSTART.click();

    EXPECT_TRUE(stopped);
    EXPECT_GE(stopSentAt - clickedAt, Millis{1000});
    EXPECT_EQ(instrument.count("WRSTP"), 1);
    EXPECT_EQ(instrument.count("RDDTB00"), 2);
    EXPECT_EQ(rig.run.runMode, "WRSTP");
    EXPECT_EQ(rig.window.lblCMT[4].caption, "NON DATA");
    EXPECT_FALSE(rig.window.progressBar1.visible);
    EXPECT_FALSE(rig.link.byteMode());
    EXPECT_TRUE(rig.noDataFiles());

    rig.pump.onEvents = nullptr;
    rig.window.cmdREAD.click();
    EXPECT_EQ(rig.op.texts(), Texts{"NON DATA"});
}

TEST_F(MeasurementRunTest, NoDataHeldEndsWithNonDataAndNoFile) {
    instrument.peer.on("RDSTU00", statusReply('0', '0'));
    rig.window.cmdSTART.click();
    EXPECT_EQ(rig.window.lblCMT[4].caption, "NON DATA");
    EXPECT_TRUE(rig.noDataFiles());
    EXPECT_TRUE(rig.allButtonsEnabled());
}

TEST_F(MeasurementRunTest, PollingShowsTheStatusAndStopsAtALimit) {
    instrument.peer.once("RDSTU00", statusReply('0'));  // before the conditions
    instrument.peer.once("RDSTU00", statusReply('0'));  // before the start
    instrument.peer.once("RDSTU00", statusReply('2'));
    instrument.peer.once("RDSTU00", statusReply('7'));
    std::vector<std::string> shown;
    rig.pump.onEvents = [&] {
        const auto& caption = rig.window.lblCMT[4].caption;
        if (shown.empty() || shown.back() != caption) shown.push_back(caption);
    };
    rig.window.cmdSTART.click();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "In-Calculation. "), shown.end());
    EXPECT_EQ(rig.op.texts(), Texts{"The measurement is not finished currently. "});
    EXPECT_EQ(rig.window.lblCMT[4].caption, "NON DATA");
    EXPECT_EQ(rig.run.runMode, "WRSTP");
    EXPECT_TRUE(rig.noDataFiles());
}

TEST_F(MeasurementRunTest, KindZeroAwayFromTheOriginIsAskedToStartAgain) {
    RunRig oldFirmware(instrument.peer, {"KT520", 1101, 50.0f, 0});
    instrument.peer.once("RDSTU00", statusReply('0'));
    instrument.peer.on("RDSTU00", statusReply('6'));
    oldFirmware.window.cmdSTART.click();
    ASSERT_EQ(oldFirmware.op.messages.size(), 1u);
    EXPECT_EQ(oldFirmware.op.messages[0].text,
              "After origin move, please click a start button again.");
    EXPECT_EQ(oldFirmware.op.messages[0].title, "Information");
    EXPECT_EQ(oldFirmware.op.messages[0].icon, lang::MessageIcon::Information);
    EXPECT_EQ(instrument.count("WRSTA"), 1);
    EXPECT_EQ(instrument.count("RDDTB00"), 0);
    EXPECT_TRUE(oldFirmware.allButtonsEnabled());
}

TEST_F(MeasurementRunTest, LostLineAbandonsTheRunAndKeepsThePreviousFiles) {
    rig.window.cmdSTART.click();
    const std::string measured = rig.file("Measured.csv");
    const std::string evaluation = rig.file("Evaluation.csv");
    ASSERT_EQ(measured, crlfLines({"-.25", ".5", "3", "4"}));

    // The second run gets both profiles, then the results never come.
    instrument.holdProfiles({{9.0f, 9.0f}}, {{8.0f}});
    instrument.peer.on("RDRES00", "OK7\r", Millis{60000});
    rig.window.cmdSTART.click();

    EXPECT_EQ(rig.op.texts(), Texts{"Communication is abnormal! "});
    EXPECT_EQ(rig.file("Measured.csv"), measured);
    EXPECT_EQ(rig.file("Evaluation.csv"), evaluation);
    EXPECT_EQ(rig.file("Parameter.csv"), crlfLines({"1.23", "4.56"}));
    EXPECT_FALSE(std::filesystem::exists(rig.folder() / "Measured.csv.new"));
    EXPECT_EQ(rig.run.runMode, "WRSTP");
    EXPECT_TRUE(rig.allButtonsEnabled());
}

TEST(MeasurementRunLineLoss, MidTransferHidesTheBarAndReturnsToTextMode) {
    ScriptedInstrument instrument;
    instrument.peer.once("RDDTB00", blockReply({1.0f, 2.0f}));
    instrument.peer.on("RDDTB00", "NG04\r", Millis{60000});
    RunRig rig(instrument.peer);
    rig.window.cmdSTART.click();
    EXPECT_EQ(rig.op.texts(), Texts{"Communication is abnormal! "});
    EXPECT_FALSE(rig.window.progressBar1.visible);
    EXPECT_FALSE(rig.link.byteMode());
    EXPECT_EQ(instrument.count("RDSTU00"), 2);  // no polling after the loss
    EXPECT_TRUE(rig.noDataFiles());
    EXPECT_TRUE(rig.allButtonsEnabled());
}

TEST_F(MeasurementRunTest, ReadFetchesExistingDataWithoutStarting) {
    rig.window.cmdREAD.click();
    EXPECT_EQ(instrument.count("WRSTA"), 0);
    EXPECT_EQ(rig.run.runMode, "DRSTA");
    EXPECT_EQ(rig.file("Evaluation.csv"), crlfLines({".125", "-1.5", "2", "1234.5"}));

    instrument.peer.on("RDSTU00", statusReply('3'));
    rig.window.cmdREAD.click();
    EXPECT_EQ(rig.op.texts(), Texts{"The measurement is not finished currently. "});
}

TEST_F(MeasurementRunTest, ResultReadListsTheFieldsOrSaysNoData) {
    rig.window.cmdRESULT.click();
    EXPECT_EQ(rig.window.lstSTATUS.items, (Texts{"1.23", "4.56"}));
    EXPECT_EQ(rig.profile.outputFileName, "Parameter.csv");

    instrument.peer.on("RDRES00", "NG04\r");
    rig.window.cmdRESULT.click();
    EXPECT_EQ(rig.window.lstSTATUS.items, Texts{"No data"});

    instrument.peer.on("RDSTU00", statusReply('5'));
    rig.window.cmdRESULT.click();
    EXPECT_EQ(rig.op.texts(), Texts{"Please wait for a while."});
    EXPECT_TRUE(rig.noDataFiles());
}

TEST(MeasurementRunAgainstSimulator, FilesHoldTheSimulatedProfilesByteForByte) {
    sim::Instrument instrument;
    RunRig rig(instrument);
    rig.link.setReplyTimeout(Millis{10000});
    rig.window.cmdSTART.click();
    ASSERT_TRUE(rig.op.messages.empty()) << rig.op.messages[0].text;

    const auto& evaluation = instrument.evaluationProfile();
    const auto& measured = instrument.measuredProfile();
    ASSERT_FALSE(evaluation.empty());
    ASSERT_GE(measured.size(), evaluation.size());
    std::vector<std::string> evaluationLines, windowLines;
    for (float v : evaluation) evaluationLines.push_back(profile::numberText(v));
    for (auto i = measured.size() - evaluation.size(); i < measured.size(); ++i) {
        windowLines.push_back(profile::numberText(measured[i]));
    }
    EXPECT_EQ(rig.file("Evaluation.csv"), crlfLines(evaluationLines));
    EXPECT_EQ(rig.file("Measured.csv"), crlfLines(windowLines));
    EXPECT_NE(rig.file("Parameter.csv"), "<missing>");
    EXPECT_EQ(rig.window.progressBar1.max, static_cast<int>(evaluation.size()));
}

}  // namespace
}  // namespace kt520::testing
