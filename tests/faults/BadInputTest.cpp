// Bad input from the operator and the desk: length entries that are no
// length, a data folder that cannot be written, a language file that is
// missing or unreadable, and a port that vanishes while idle or measuring.
#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include "FaultRig.h"
#include "lang/LanguageFile.h"

namespace kt520::testing {
namespace {

using link::Millis;

const std::string kLineLost = "Communication is abnormal! ";

// The "WRL  " command of the last run, if one was sent.
std::string lengthCommand(const std::string& written) {
    const std::size_t at = written.rfind("WRL  ");
    return at == std::string::npos ? std::string()
                                   : written.substr(at, written.find('\r', at) - at);
}

class LengthEntry : public ::testing::TestWithParam<const char*> {};

TEST_P(LengthEntry, IsRefusedWithABeepOrSentWellFormedAndNothingIsLost) {
    FaultRig rig;
    rig.startRun();
    const auto before = rig.dataFiles();
    ui::MainWindowModel& w = rig.main->window();
    w.optSCT.click(6);
    w.txtLENG.setText(GetParam());
    const std::size_t from = rig.port.written().size();
    const int beeps = rig.op.beeps;

    const ClickOutcome outcome = rig.startRun();
    EXPECT_FALSE(outcome.programEnded);
    EXPECT_FALSE(outcome.stopPressed);
    const std::string sent = rig.writtenSince(from);
    if (rig.op.beeps > beeps) {
        // Refused at the panel: the focus goes back to the entry and no run starts.
        EXPECT_GT(w.txtLENG.focusRequests, 0);
        EXPECT_EQ(sent.find("WRSTA"), std::string::npos);
        EXPECT_EQ(rig.dataFiles(), before);
    } else {
        // Taken: the instrument gets a length field of its fixed width.
        const std::string command = lengthCommand(sent);
        ASSERT_EQ(command.size(), 16u) << command;
        EXPECT_EQ(command.substr(11), "     ");
        const auto after = rig.dataFiles();
        EXPECT_TRUE(after == before || completeRunFiles(after));
        if (after == before) {
            EXPECT_FALSE(rig.op.messages.empty());
        }
    }
    EXPECT_TRUE(w.cmdSTART.enabled);
}

INSTANTIATE_TEST_SUITE_P(Texts, LengthEntry,
                         ::testing::Values("", " ", "abc", "4mm", "4,5", "4.5.6", "1e3", "-4", "0",
                                           "00000000000000000000004", "99999999999999999999",
                                           "4.56789", ".", "+", "\t4", "４"));

TEST(DataFolder, ThatCannotBeWrittenKeepsTheEarlierFilesAndSaysSo) {
    FaultRig rig;
    rig.startRun();
    const auto before = rig.dataFiles();
    ASSERT_TRUE(completeRunFiles(before));

    // A folder where the last file has to be written beside its target.
    std::filesystem::create_directory(rig.folder() / "Condition.csv.new");
    rig.op.messages.clear();
    rig.startRun();
    EXPECT_TRUE(rig.op.messages.empty());
    const auto& status = rig.main->window().lstSTATUS.items;
    ASSERT_FALSE(status.empty());
    EXPECT_TRUE(status.back().starts_with("Not saved: Condition.csv")) << status.back();
    auto after = rig.dataFiles();
    after.erase("Condition.csv.new");
    EXPECT_EQ(after, before);
    std::filesystem::remove(rig.folder() / "Condition.csv.new");

    // The folder taken away between two runs.
    std::filesystem::remove_all(rig.folder());
    rig.startRun();
    EXPECT_TRUE(rig.main->window().lstSTATUS.items.back().starts_with("Not saved: "));
    EXPECT_FALSE(std::filesystem::exists(rig.folder()));

    // Once it can be written again, the next run writes it whole.
    std::filesystem::create_directories(rig.folder());
    rig.startRun();
    EXPECT_TRUE(completeRunFiles(rig.dataFiles()));
}

TEST(LanguageFile, MissingEndsTheProgramWithItsFixedMessage) {
    AppRig rig("");
    EXPECT_THROW(rig.start(), lang::ProgramEnded);
    ASSERT_EQ(rig.op.messages.size(), 1u);
    EXPECT_EQ(rig.op.messages[0].text, std::string(lang::kMissingLanguageFileText));
    EXPECT_TRUE(rig.op.ended);
}

TEST(LanguageFile, ThatIsAFolderCountsAsMissing) {
    AppRig rig("");
    ASSERT_TRUE(QDir(rig.programDir.path()).mkdir(QStringLiteral("520Language.ini")));
    EXPECT_THROW(rig.start(), lang::ProgramEnded);
    ASSERT_EQ(rig.op.messages.size(), 1u);
    EXPECT_EQ(rig.op.messages[0].text, std::string(lang::kMissingLanguageFileText));
}

TEST(LanguageFile, OfGarbageStillGivesAWorkingProgram) {
    std::string garbage = "\xff\xfe\x00X:\x81\r\r\n\xe3\x81:\n";
    garbage += std::string(5000, '\x82');
    garbage += "\nA\nX:Q\n";
    FaultRig rig(garbage);
    EXPECT_EQ(rig.main->link().linkState, "OK");
    const ClickOutcome outcome = rig.startRun();
    EXPECT_FALSE(outcome.programEnded);
    EXPECT_TRUE(completeRunFiles(rig.dataFiles()));
}

TEST(PulledPort, WhileIdleIsToldOnceACommandAndPluggedBackByConnect) {
    FaultRig rig;
    rig.startRun();
    const auto before = rig.dataFiles();
    rig.port.pullPlug();
    rig.op.messages.clear();

    const ClickOutcome outcome = rig.startRun();
    EXPECT_LT(outcome.elapsed, Millis{4 * link::kDefaultReplyTimeout});
    ASSERT_FALSE(rig.op.messages.empty());
    EXPECT_EQ(rig.op.messages.back().text, kLineLost);
    EXPECT_EQ(rig.dataFiles(), before);
    EXPECT_TRUE(rig.main->window().cmdCONECT.enabled);

    rig.click(rig.main->window().cmdCONECT);
    EXPECT_EQ(rig.main->link().linkState, "OK");
    rig.op.messages.clear();
    rig.startRun();
    EXPECT_TRUE(rig.op.messages.empty());
    EXPECT_TRUE(completeRunFiles(rig.dataFiles()));
    EXPECT_NE(rig.dataFiles(), before);
}

class PulledWhileMeasuring : public ::testing::TestWithParam<int> {};

TEST_P(PulledWhileMeasuring, AbandonsTheRunAndKeepsTheEarlierFiles) {
    FaultRig rig;
    const ClickOutcome first = rig.startRun();
    const auto before = rig.dataFiles();
    ASSERT_TRUE(completeRunFiles(before));
    rig.op.messages.clear();

    const Millis pullAt = first.elapsed * GetParam() / 100;
    rig.duringClick = [&](Millis sinceClick) {
        if (sinceClick >= pullAt && rig.port.isOpen()) rig.port.pullPlug();
    };
    const ClickOutcome outcome = rig.startRun();
    rig.duringClick = nullptr;

    EXPECT_FALSE(outcome.programEnded);
    EXPECT_FALSE(outcome.stopPressed);
    EXPECT_LT(outcome.elapsed, pullAt + Millis{2 * link::kDefaultReplyTimeout});
    ASSERT_FALSE(rig.op.messages.empty());
    EXPECT_EQ(rig.op.messages.front().text, kLineLost);
    EXPECT_EQ(rig.dataFiles(), before);
    EXPECT_EQ(rig.main->runMode(), "WRSTP");
    EXPECT_TRUE(rig.main->window().cmdSTART.enabled);

    rig.click(rig.main->window().cmdCONECT);
    rig.op.messages.clear();
    rig.startRun();
    EXPECT_TRUE(rig.op.messages.empty());
    EXPECT_TRUE(completeRunFiles(rig.dataFiles()));
}

// Pulled at these percentages of a whole run's time: during the conditions,
// the measured profile, the polling and the evaluation profile.
INSTANTIATE_TEST_SUITE_P(Moments, PulledWhileMeasuring, ::testing::Values(2, 20, 50, 80, 95));

}  // namespace
}  // namespace kt520::testing
