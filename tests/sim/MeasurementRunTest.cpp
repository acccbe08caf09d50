// A measurement on the simulated instrument: status sequence, progressive
// profile blocks, the evaluation profile, results, stopping and the drive.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "SimHost.h"

namespace kt520::sim {
namespace {

using link::Millis;
using testing::blockPoints;
using testing::SimHost;
using Drive = testing::SimTest;
using MeasurementRun = testing::SimTest;

// 0.08 mm cut-off, one section, 2 mm/s: a run of 0.24 mm in 120 ms.
void shortConditions(SimHost& host) {
    host.accept({"WRCUT11", "WRSPD54", "WRNUM 1000", "WRCAN0000100"});
}

std::vector<float> readProfile(SimHost& host, std::string& end) {
    std::vector<float> points;
    for (int guard = 0; guard < 100; ++guard) {
        const std::string block = host.ask("RDDTB00");
        if (!block.starts_with("OK")) {
            end = block;
            break;
        }
        EXPECT_EQ(block.size(), 5 + 4 * blockPoints(block).size());
        for (float p : blockPoints(block)) points.push_back(p);
    }
    return points;
}

TEST_F(MeasurementRun, StatusGoesMeasuringCalculatingIdleAndBlocksFollowTheStylus) {
    shortConditions(host);
    // 0.05 mm/s: 4.8 s of travel, slower than 100-point blocks on the line.
    host.accept({"WRSPD04", "WRNUM  100"});
    EXPECT_EQ(host.ask("RDSTU00"), "OK000000000");
    host.accept({"WRSTA"});
    EXPECT_EQ(host.status(), '1');
    EXPECT_EQ(host.ask("WRSTA"), "NG02\r");
    EXPECT_EQ(host.ask("WRCUT35"), "NG02\r");
    EXPECT_EQ(host.ask("RDRES00"), "NG02\r");

    // While measuring, the blocks carry what the stylus has passed so far.
    std::vector<float> measured;
    std::set<char> statuses;
    std::vector<std::size_t> blockSizes;
    for (int guard = 0; guard < 2000; ++guard) {
        const char s = host.status();
        statuses.insert(s);
        if (s == '0') break;
        const std::string block = host.ask("RDDTB00");
        if (block.starts_with("OK")) {
            blockSizes.push_back(blockPoints(block).size());
            for (float p : blockPoints(block)) measured.push_back(p);
        }
    }
    EXPECT_EQ(statuses, (std::set<char>{'0', '1', '2'}));
    EXPECT_GT(blockSizes.size(), 32u);
    EXPECT_LT(*std::min_element(blockSizes.begin(), blockSizes.end()), 100u);
    EXPECT_EQ(*std::max_element(blockSizes.begin(), blockSizes.end()), 100u);
    EXPECT_EQ(host.ask("RDDTB00"), "NG04\r");

    const SamplingPlan plan = instrument.samplingPlan();
    EXPECT_EQ(plan.measuredPoints, 3200);  // 1600 lead-in + 1600 evaluated, 2CR records no tail
    EXPECT_TRUE(measured == instrument.measuredProfile());
    EXPECT_EQ(host.statusAndData(), "01");  // idle at the origin, data held

    // The same data again from the start, then the evaluation profile.
    host.accept({"WRCAN0000100"});
    std::string end;
    EXPECT_TRUE(readProfile(host, end) == measured);
    EXPECT_EQ(end, "NG04\r");
    host.accept({"WRCAN0000101"});
    const std::vector<float> evaluation = readProfile(host, end);
    EXPECT_EQ(evaluation.size(), 1600u);
    EXPECT_TRUE(evaluation == instrument.evaluationProfile());

    const std::string results = host.ask("RDRES00");
    ASSERT_TRUE(results.starts_with("OK"));
    EXPECT_EQ(std::count(results.begin(), results.end(), ','), 8);
    const double ra = std::stod(results.substr(2));
    EXPECT_GT(ra, 0.01);
    EXPECT_LT(ra, 2.0);
}

// Points per plan: one cut-off of lead-in is recorded with 2CR, the
// post-travel too with the Gaussian filter; motif plans follow their own table.
TEST(SamplingPlans, EveryPlanFitsTheProgramsProfileBuffer) {
    MeasuringConditions c;
    // cut-off, points in one section, points in five sections
    const std::tuple<char, int, int> cutOffs[] = {{'1', 1600, 8000},
                                                  {'2', 1667, 8333},
                                                  {'3', 1600, 8000},
                                                  {'4', 1667, 8333},
                                                  {'5', 1600, 8000}};
    for (const auto& [cut, one, five] : cutOffs) {
        SCOPED_TRACE(cut);
        c.cutOff = cut;
        c.sections = '1';
        c.filter = '1';
        EXPECT_EQ(planSampling(c, 50.0).evaluationPoints, one);
        EXPECT_EQ(planSampling(c, 50.0).measuredPoints, 2 * one);
        c.sections = '5';
        c.filter = '3';
        EXPECT_EQ(planSampling(c, 50.0).evaluationPoints, five);
        EXPECT_EQ(planSampling(c, 50.0).measuredPoints, five + 2 * one);
    }
    c = MeasuringConditions{};
    c.cutOff = '1';
    c.sections = 'L';
    c.arbitraryLengthMm = 50.0;
    const SamplingPlan coarse = planSampling(c, 50.0);
    EXPECT_LE(coarse.measuredPoints, kMaxProfilePoints);
    EXPECT_GT(coarse.pitchLevel, 0);

    c.profile = '5';
    c.filter = '4';
    for (const auto& [a, points] : {std::pair{'2', 4300}, {'3', 6450}, {'4', 10700}, {'5', 5100}}) {
        c.motifA = a;
        const SamplingPlan plan = planSampling(c, 50.0);
        EXPECT_EQ(plan.measuredPoints, points) << a;
        EXPECT_LE(plan.evaluationPoints, plan.measuredPoints);
    }
}

TEST_F(MeasurementRun, StopEndsTheRunWithoutData) {
    host.accept({"WRSTA"});  // 4 mm at 0.5 mm/s: 8 s
    host.advance(Millis{2000});
    EXPECT_EQ(host.status(), '1');
    host.accept({"WRSTP"});
    EXPECT_EQ(host.statusAndData(), "60");  // away from the origin, no data
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 1.0, 0.05);
    EXPECT_EQ(host.ask("RDDTB00"), "NG04\r");
    EXPECT_EQ(host.ask("RDRES00"), "NG04\r");
}

TEST_F(MeasurementRun, AutoReturnBringsTheStylusHomeAndWithoutItTheStatusSaysSo) {
    shortConditions(host);
    host.accept({"WRSTA"});
    host.advance(Millis{3000});
    EXPECT_EQ(host.statusAndData(), "01");

    host.accept({"WRART2", "WRSTA"});
    host.advance(Millis{3000});
    EXPECT_EQ(host.statusAndData(), "61");
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 0.24, 1e-6);
}

TEST_F(MeasurementRun, ConditionsThatCannotFitTheDriveAreRefused) {
    host.accept({"WRCUT5L", "WRL  1   50     "});
    EXPECT_EQ(host.ask("WRSTA"), "NG19\r");  // 50 mm plus 8 mm each side
}

TEST(ConfiguredInstrument, SpeedFactorShortensTheRun) {
    SimConfig fast;
    fast.speedFactor = 20;
    Instrument instrument(fast);
    SimHost host(instrument);
    host.accept({"WRSTA"});  // 8 s of travel and 1.5 s of calculation
    host.advance(Millis{550});
    EXPECT_EQ(host.status(), '0');
}

TEST(ConfiguredInstrument, SameSeedSameWorkpieceOtherSeedOther) {
    auto measure = [](std::uint32_t seed) {
        SimConfig config;
        config.seed = seed;
        Instrument instrument(config);
        SimHost host(instrument);
        shortConditions(host);
        host.ask("WRSTA");
        host.advance(Millis{3000});
        host.status();
        return instrument.measuredProfile();
    };
    EXPECT_EQ(measure(7), measure(7));
    EXPECT_NE(measure(7), measure(8));
    EXPECT_FALSE(measure(7).empty());
}

TEST_F(Drive, JogsHitTheLimitAndOriginReturnComesHome) {
    host.accept({"WRSPD44", "WRESP"});
    EXPECT_EQ(host.status(), '4');
    host.advance(Millis{1000});
    host.accept({"WRSTP"});
    EXPECT_EQ(host.status(), '6');
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 2.0, 0.05);

    host.accept({"WRSPD44", "WRESP"});
    host.advance(Millis{30000});
    EXPECT_EQ(host.status(), '7');
    EXPECT_DOUBLE_EQ(instrument.stylusPositionMm(host.now), 50.0);

    host.accept({"WRSPD45", "WRRTN"});
    EXPECT_EQ(host.status(), '5');
    host.advance(Millis{13000});
    EXPECT_EQ(host.status(), '0');
    // The drive speeds did not touch the measuring speed.
    EXPECT_EQ(instrument.conditions().speed, '3');
}

TEST_F(Drive, SpeedCommandWithoutAMotionIsAMeasuringSpeed) {
    host.accept({"WRSPD45", "WRCAN0000100", "WRRTN"});
    EXPECT_EQ(instrument.conditions().speed, '4');
}

TEST_F(Drive, MeasurementThatRunsOutOfTravelStopsAtTheLimitWithoutData) {
    host.accept({"WRSPD44", "WRESP"});
    host.advance(Millis{23500});  // 47 mm out: 3 mm left, the run needs 4
    host.accept({"WRSTP", "WRSPD35", "WRSTA"});
    host.advance(Millis{10000});
    EXPECT_EQ(host.statusAndData(), "70");
    EXPECT_EQ(host.ask("RDDTB00"), "NG04\r");
}

TEST(ConfiguredInstrument, OldestFirmwareReturnsToTheOriginInsteadOfMeasuring) {
    SimConfig config;
    config.firmwareVersion = "1.102";
    Instrument kind1(config);
    SimHost host(kind1);
    host.accept({"WRSPD33", "WRESP"});
    host.advance(Millis{2000});
    host.accept({"WRSTP"});
    EXPECT_EQ(host.status(), '6');
    host.accept({"WRSTA"});
    EXPECT_EQ(host.status(), '1');  // kind 1 measures from where it stands
}

}  // namespace
}  // namespace kt520::sim
