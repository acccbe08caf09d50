// The data files of a run: staged and published all or nothing, each entry
// a line with CR LF; the condition listing of Condition.csv; and the points
// the progress bar expects.
#include <gtest/gtest.h>

#include <thread>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

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

// Windows refuses to rename over a file another program holds open: the
// rename is tried again until the file is let go, and the reason says so
// when it never is.
TEST(RunFiles, TriesAgainWhileAnOldFileIsHeldAndSaysSoWhenItStaysHeld) {
    using namespace std::chrono_literals;
    TemporaryFolder folder;
    int refusals = 3;
    measurement::Replacement held;
    held.pause = 1ms;
    held.rename = [&](const auto& from, const auto& to, std::error_code& error) {
        if (refusals-- > 0) {
            error = std::make_error_code(std::errc::permission_denied);
        } else {
            std::filesystem::rename(from, to, error);
        }
    };
    measurement::RunFiles files(held);
    files.stage("A.csv", "a\r\n");
    EXPECT_EQ(files.publish(folder.path()), "");
    EXPECT_EQ(refusals, -1);
    EXPECT_EQ(fileText(folder.path() / "A.csv"), "a\r\n");

    held.patience = 20ms;
    refusals = 1'000'000;
    measurement::RunFiles impatient(held);
    impatient.stage("A.csv", "b\r\n");
    const std::string reason = impatient.publish(folder.path());
    EXPECT_TRUE(reason.starts_with("A.csv: ") && reason.ends_with("open in another program?)"))
        << reason;
    EXPECT_EQ(fileText(folder.path() / "A.csv"), "a\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "A.csv.new"));
}

// The same with a file that another program really holds open without
// letting others delete it, as a spreadsheet does.
TEST(RunFiles, ReplacesAFileOnceAnotherProgramLetsItGo) {
#ifdef _WIN32
    using namespace std::chrono_literals;
    TemporaryFolder folder;
    const std::filesystem::path target = folder.path() / "A.csv";
    measurement::RunFiles files;
    files.stage("A.csv", "old\r\n");
    ASSERT_EQ(files.publish(folder.path()), "");
    const auto holdOpen = [&] {
        return CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };

    HANDLE held = holdOpen();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    measurement::Replacement briefly;
    briefly.patience = 200ms;
    measurement::RunFiles refused(briefly);
    refused.stage("A.csv", "new\r\n");
    EXPECT_NE(refused.publish(folder.path()), "");
    CloseHandle(held);
    EXPECT_EQ(fileText(target), "old\r\n");

    held = holdOpen();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread letGo([held] {
        std::this_thread::sleep_for(300ms);
        CloseHandle(held);
    });
    files.stage("A.csv", "new\r\n");
    EXPECT_EQ(files.publish(folder.path()), "");
    letGo.join();
    EXPECT_EQ(fileText(target), "new\r\n");
#else
    GTEST_SKIP() << "other systems rename over open files";
#endif
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
