// Bad input the session itself meets: a port pulled at any moment of a run,
// a data folder that cannot be written, and an instrument whose profile
// never ends. Each is told clearly, bounded, and loses no file.
#include <gtest/gtest.h>

#include "FaultRig.h"

namespace kt520::testing {
namespace {

using async::Millis;

struct Moment {
    const char* name;
    int afterStart;           // ms of a run at 0.1 mm/s; below 0: while idle, before the Start
    const char* lastCommand;  // the command that went out before the pull
};
const Moment kMoments[] = {{"Idle", -1, "RDCON00"},
                           {"Conditions", 60, "WRFIL21"},
                           {"MeasuredTransfer", 20'000, "RDDTB00"},
                           {"Polling", 40'700, "RDSTU00"},
                           {"EvaluationTransfer", 47'000, "RDDTB00"}};

class PulledPort : public ::testing::TestWithParam<Moment> {};

TEST_P(PulledPort, EndsTheRunWithOneMessageKeepsTheFilesAndConnectBringsItBack) {
    const Moment& moment = GetParam();
    SessionRig rig;
    rig.connect();
    rig.panel.click(conditions::Item::Speed, 1);
    rig.act(Action::Start);
    const Folder before = snapshot(rig.folder.path());

    std::string lastCommand;
    const Millis pulledAt = rig.loop.now() + Millis{std::max(moment.afterStart, 0)};
    rig.at(pulledAt, [&] {
        lastCommand = rig.tap.sent.back().first;
        rig.line.pullPlug();
    });
    if (moment.afterStart < 0) rig.settle();
    rig.act(Action::Start);
    EXPECT_EQ(lastCommand, moment.lastCommand);
    EXPECT_LT(rig.loop.now(), pulledAt + 2 * link::kDefaultReplyTimeout);
    EXPECT_EQ(rig.observer.texts(), Texts{kLineLost});
    EXPECT_EQ(snapshot(rig.folder.path()), before);
    EXPECT_EQ(rig.session.runMode(), session::RunMode::Stopped);
    EXPECT_FALSE(rig.observer.bar.visible);

    rig.loop.runFor(Millis{60'000});  // the measurement the pull cut off ends on its own
    rig.act(Action::Connect, 1);
    EXPECT_TRUE(startsCleanly(rig));
}

INSTANTIATE_TEST_SUITE_P(During, PulledPort, ::testing::ValuesIn(kMoments),
                         [](const auto& info) { return std::string(info.param.name); });

// A data folder where the last file cannot be written beside its target.
TEST(DataFolder, ThatCannotBeWrittenKeepsTheEarlierFilesAndSaysSo) {
    SessionRig rig;
    rig.connect();
    rig.act(Action::Start);
    const Folder before = snapshot(rig.folder.path());

    std::filesystem::create_directory(rig.folder.path() / "Condition.csv.new");
    rig.act(Action::Start);
    EXPECT_EQ(rig.observer.texts(), Texts{});
    EXPECT_TRUE(rig.observer.list.back().starts_with("Not saved: Condition.csv"))
        << rig.observer.list.back();
    EXPECT_EQ(rig.observer.runs.back().outcome, measurement::RunRecord::Outcome::Failed);
    std::filesystem::remove(rig.folder.path() / "Condition.csv.new");
    EXPECT_EQ(snapshot(rig.folder.path()), before);
    EXPECT_TRUE(startsCleanly(rig));
}

TEST(EndlessProfile, StopsAtWhatTheListHoldsWithNoDataAndNoFile) {
    ScriptedInstrument instrument;
    instrument.peer.on("RDDTB00", blockReply(std::vector<float>(1000, 0.5f)));
    SessionRig rig(instrument.peer);
    rig.connect();
    rig.act(Action::Start);
    EXPECT_EQ(instrument.count("RDDTB00"), 31);  // the 31st block no longer fits
    // No box, but the status says why there is no data.
    EXPECT_EQ(rig.observer.statuses.back(),
              "NON DATA: 31000 points arrived, more than the 30000 a profile may hold.");
    EXPECT_EQ(rig.observer.texts(), Texts{});
    EXPECT_TRUE(rig.noDataFiles());
}

}  // namespace
}  // namespace kt520::testing
