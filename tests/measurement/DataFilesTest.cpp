// The data files of a run: staged and published all or nothing, each entry
// a line with CR LF; the condition listing of Condition.csv; and the points
// the progress bar expects.
#include <gtest/gtest.h>

#include "conditions/ConditionReader.h"
#include "measurement/ConditionListing.h"
#include "measurement/ExpectedPoints.h"
#include "measurement/ProfileData.h"
#include "measurement/RunFiles.h"
#include "support/SessionRig.h"

namespace kt520::testing {
namespace {

TEST(RunFiles, PublishesAllOrNothingAndLeavesNothingBeside) {
    TemporaryFolder folder;
    measurement::RunFiles files;
    files.stage("A.csv", "old a\r\n");
    files.stage("B.csv", "old b\r\n");
    ASSERT_EQ(files.publish(folder.path()), "");
    EXPECT_TRUE(files.empty());

    files.stage("A.csv", "first");
    files.stage("A.csv", "new a\r\n");  // a later stage of the same file replaces it
    files.stage("B.csv", "new b\r\n");
    EXPECT_EQ(files.names(), (Texts{"A.csv", "B.csv"}));
    std::filesystem::create_directory(folder.path() / "B.csv.new");  // B cannot be written beside
    EXPECT_TRUE(files.publish(folder.path()).starts_with("B.csv: "));
    EXPECT_EQ(fileText(folder.path() / "A.csv"), "old a\r\n");
    EXPECT_EQ(fileText(folder.path() / "B.csv"), "old b\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "A.csv.new"));
}

TEST(OutputFile, HoldsTheEntriesUpToTheFirstEmptyOne) {
    measurement::ProfileData data;
    data.outputLines[1] = "1.5";
    data.outputLines[2] = "-.25";
    data.outputLines[4] = "never written";
    EXPECT_EQ(data.outputFileText(), "1.5\r\n-.25\r\n");
    EXPECT_EQ(data.linesWritten, 2);
}

class ConditionListing : public ::testing::Test {
  protected:
    Texts lines(const sim::MeasuringConditions& held, int romVersion = 1311,
                const std::string& language = "E") {
        layouts.prepareConditionLayouts(romVersion);
        set = conditions::conditionsFromReply(conditionReply(held, romVersion), layouts);
        return measurement::conditionListingLines({set, layouts.items, romVersion, language});
    }
    int expected(bool motif, measurement::ProfileKind kind) {
        return measurement::expectedPoints({motif, set, layouts.items, model, kind});
    }
    conditions::ConditionLayouts layouts;
    conditions::ConditionSet set;
    link::ModelInfo model{"KT520", 1311, 50.8f, 3};
};

TEST_F(ConditionListing, MillimetreAndInchForms) {
    sim::MeasuringConditions c;
    c.cutOff = '5';
    c.sections = 'L';
    c.arbitraryLengthMm = 12.5;
    c.profile = '6';
    c.filter = '4';
    c.standard = '3';
    c.range = '5';
    EXPECT_EQ(lines(c, 1102, "J"),
              (Texts{"CUT 8mm", "SCT L 12.5mm", "CUV W MOTIF", "FLT NON", "STD DIN 1990",
                     "RNG 800um", "STP 5.0um", "UNT mm", "LNG Japanese"}));
    c.unit = '2';
    const Texts inch = lines(c);
    EXPECT_EQ(inch[0], "CUT 0.3inch");
    EXPECT_TRUE(inch[1].starts_with("SCT L ") && inch[1].ends_with("inch")) << inch[1];
    EXPECT_EQ(inch[4], "STD VDA");
    EXPECT_EQ(inch[5], "RNG 32000uinch");
    EXPECT_EQ(inch[6], "STP 196.8uinch");
    EXPECT_EQ(inch[7], "UNT inch");
}

TEST_F(ConditionListing, CodesItHasNoLineForAreInternalFaults) {
    const auto faultOf = [&](const sim::MeasuringConditions& c) {
        try {
            lines(c);
        } catch (const lang::InternalFault& fault) {
            return std::optional(fault.text);
        }
        return std::optional<lang::FaultText>();
    };
    sim::MeasuringConditions c;
    c.filter = '9';
    EXPECT_EQ(faultOf(c), lang::FaultText::No17);
    c.filter = '1';
    c.sections = '7';
    EXPECT_EQ(faultOf(c), lang::FaultText::No1);
}

TEST_F(ConditionListing, ExpectedPointsFollowTheLengthsAndTheMotifLimit) {
    sim::MeasuringConditions c;
    lines(c);
    // 3 x 0.8 mm at 0.5 um; the 2CR measured profile adds one cut-off of pre-travel.
    EXPECT_EQ(expected(false, measurement::ProfileKind::Evaluation), 4800);
    EXPECT_EQ(expected(false, measurement::ProfileKind::Measured), 6400);

    c.motifA = '5';  // its count follows the drive range
    lines(c);
    EXPECT_EQ(expected(true, measurement::ProfileKind::Measured), 10500);
    model.driveRange = 50.0f;
    EXPECT_EQ(expected(true, measurement::ProfileKind::Evaluation), 5100);
    set.fields[30] = "7";
    EXPECT_THROW(expected(true, measurement::ProfileKind::Measured), lang::InternalFault);
}

}  // namespace
}  // namespace kt520::testing
