#include <gtest/gtest.h>

#include "RunRig.h"
#include "conditions/ConditionReader.h"
#include "measurement/ConditionListing.h"
#include "measurement/ExpectedPoints.h"
#include "measurement/ProfileTransfer.h"
#include "measurement/RunFiles.h"

namespace kt520::testing {
namespace {

using measurement::ProfileData;

TEST(OutputFile, WritesUpToTheFirstEmptyEntryWithCrLf) {
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    ProfileData data;
    data.outputLines[1] = "1.5";
    data.outputLines[2] = "-.25";
    data.outputLines[4] = "never written";
    data.outputFileName = "Parameter.csv";
    EXPECT_EQ(measurement::writeOutputFile(data, folder), "");
    EXPECT_EQ(fileText(folder / "Parameter.csv"), "1.5\r\n-.25\r\n");
    EXPECT_EQ(data.linesWritten, 2);

    data.clearOutputLines();
    EXPECT_EQ(measurement::writeOutputFile(data, folder), "");
    EXPECT_EQ(fileText(folder / "Parameter.csv"), "");
    EXPECT_EQ(data.linesWritten, 0);
    EXPECT_EQ(data.outputLines.size(), 30001u);
}

TEST(RunFiles, PublishesAllOrNothing) {
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    measurement::RunFiles files;
    files.stage("A.csv", "old a\r\n");
    files.stage("B.csv", "old b\r\n");
    ASSERT_EQ(files.publish(folder), "");
    EXPECT_TRUE(files.empty());

    files.stage("A.csv", "first");
    files.stage("A.csv", "new a\r\n");
    files.stage("B.csv", "new b\r\n");
    EXPECT_EQ(files.fileNames(), (std::vector<std::string>{"A.csv", "B.csv"}));
    std::filesystem::create_directory(folder / "B.csv.new");  // B cannot be written beside
    EXPECT_NE(files.publish(folder), "");
    EXPECT_EQ(fileText(folder / "A.csv"), "old a\r\n");
    EXPECT_EQ(fileText(folder / "B.csv"), "old b\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "A.csv.new"));
}

class ConditionRecordTest : public ::testing::Test {
  protected:
    ConditionRecordTest() { catalog.load("E"); }
    std::vector<std::string> lines(const sim::MeasuringConditions& held, int romVersion = 1311,
                                   std::string language = "E") {
        conditions::ConditionLayouts layouts;
        layouts.prepareConditionLayouts(romVersion);
        set =
            conditions::conditionsFromReply(conditionReply(held, romVersion), layouts, op, catalog);
        return measurement::conditionListingLines({set, layouts.items, romVersion, language}, op,
                                                  catalog);
    }
    RecordingOperator op;
    lang::MessageCatalog catalog;
    conditions::ConditionSet set;
};

TEST_F(ConditionRecordTest, MillimetreAndInchForms) {
    sim::MeasuringConditions c;
    c.cutOff = '5';
    c.sections = 'L';
    c.arbitraryLengthMm = 12.5;
    c.profile = '6';
    c.filter = '4';
    c.standard = '3';
    c.range = '5';
    EXPECT_EQ(lines(c, 1102, "J"),
              (std::vector<std::string>{"CUT 8mm", "SCT L 12.5mm", "CUV W MOTIF", "FLT NON",
                                        "STD DIN 1990", "RNG 800um", "STP 5.0um", "UNT mm",
                                        "LNG Japanese"}));
    c.unit = '2';
    const auto inch = lines(c);
    EXPECT_EQ(inch[0], "CUT 0.3inch");
    EXPECT_TRUE(inch[1].starts_with("SCT L ") && inch[1].ends_with("inch")) << inch[1];
    EXPECT_EQ(inch[4], "STD VDA");
    EXPECT_EQ(inch[5], "RNG 32000uinch");
    EXPECT_EQ(inch[6], "STP 196.8uinch");
    EXPECT_EQ(inch[7], "UNT inch");
}

TEST_F(ConditionRecordTest, UnknownCodesEndTheProgram) {
    sim::MeasuringConditions c;
    c.filter = '9';
    EXPECT_THROW(lines(c), lang::ProgramEnded);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Communication Softwear Error。No.17");
    EXPECT_EQ(op.messages[0].title, "Warning");
    EXPECT_TRUE(op.ended);

    c.filter = '1';
    c.sections = '7';
    EXPECT_THROW(lines(c), lang::ProgramEnded);
    EXPECT_EQ(op.messages.back().text, "After origin move, please click a start button again.No.1");
    EXPECT_EQ(op.messages.back().icon, lang::MessageIcon::Stop);
}

TEST_F(ConditionRecordTest, ExpectedPointsFollowTheMotifTableAndTheLengths) {
    sim::MeasuringConditions c;
    lines(c);
    conditions::ConditionLayouts layouts;
    layouts.prepareConditionLayouts(1311);
    link::ModelInfo model{"KT520", 1311, 50.8f, 3};
    const auto expected = [&](bool motif, measurement::ProfileKind kind) {
        return measurement::expectedPoints({motif, set, layouts.items, model, kind}, op, catalog);
    };
    // 3 x 0.8 mm at 0.5 um; the 2CR measured profile adds one cut-off of pre-travel.
    EXPECT_EQ(expected(false, measurement::ProfileKind::Evaluation), 4800);
    EXPECT_EQ(expected(false, measurement::ProfileKind::Measured), 6400);

    const std::pair<char, int> motif[] = {{'2', 4300}, {'3', 6450}, {'4', 10700}, {'5', 10500}};
    for (const auto& [code, points] : motif) {
        c.motifA = code;
        lines(c);
        EXPECT_EQ(expected(true, measurement::ProfileKind::Measured), points) << code;
    }
    model.driveRange = 50.0f;
    EXPECT_EQ(expected(true, measurement::ProfileKind::Evaluation), 5100);

    set.fields[30] = "7";
    EXPECT_THROW(expected(true, measurement::ProfileKind::Measured), lang::ProgramEnded);
}

TEST(ProfileTransfer, MoreThanThirtyThousandPointsEndTheTransfer) {
    ScriptedPeer peer;
    const std::string block = blockReply(std::vector<float>(1000, 0.5f));
    peer.on("RDDTB00", block);
    RunRig rig(peer);
    std::string runMode = "WRSTA";
    measurement::transferProfile(rig.link, rig.window.progressBar1, rig.profile, runMode, 100);
    EXPECT_EQ(runMode, "WRSTP");
    EXPECT_EQ(rig.profile.pointCount, 30000);
    EXPECT_EQ(rig.profile.outputLines[30000], ".5");
    EXPECT_FALSE(rig.window.progressBar1.visible);
    EXPECT_EQ(rig.window.progressBar1.max, 100);
    EXPECT_FALSE(rig.link.byteMode());
}

}  // namespace
}  // namespace kt520::testing
