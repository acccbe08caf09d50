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

// 0.08 mm cut-off, one section, 2 mm/s: a run of 0.24 mm in 120 ms.
void shortConditions(SimHost& host) {
    for (const char* command : {"WRCUT11", "WRSPD54", "WRNUM 1000", "WRCAN0000100"}) {
        ASSERT_EQ(host.ask(command), "OK\r") << command;
    }
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

TEST(MeasurementRun, StatusGoesMeasuringCalculatingIdleAndBlocksFollowTheStylus) {
    Instrument instrument;
    SimHost host(instrument);
    shortConditions(host);
    // 0.05 mm/s: 4.8 s of travel, slower than 100-point blocks on the line.
    ASSERT_EQ(host.ask("WRSPD04"), "OK\r");
    ASSERT_EQ(host.ask("WRNUM  100"), "OK\r");
    EXPECT_EQ(host.ask("RDSTU00"), "OK000000000");
    EXPECT_EQ(host.ask("WRSTA"), "OK\r");
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
    EXPECT_EQ(host.ask("RDSTU00").substr(2, 2), "01");  // idle at the origin, data held

    // The same data again from the start, then the evaluation profile.
    ASSERT_EQ(host.ask("WRCAN0000100"), "OK\r");
    std::string end;
    EXPECT_TRUE(readProfile(host, end) == measured);
    EXPECT_EQ(end, "NG04\r");
    ASSERT_EQ(host.ask("WRCAN0000101"), "OK\r");
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

TEST(MeasurementRun, BlockBytesAreBigEndianFloatsWithOneTrailingByte) {
    Instrument instrument;
    SimHost host(instrument);
    shortConditions(host);
    ASSERT_EQ(host.ask("WRNUM    2"), "OK\r");
    ASSERT_EQ(host.ask("WRSTA"), "OK\r");
    host.advance(Millis{5000});
    ASSERT_EQ(host.ask("WRCAN0000100"), "OK\r");
    const std::string block = host.ask("RDDTB00");
    ASSERT_EQ(block.size(), 5u + 8u);
    EXPECT_EQ(block.substr(0, 4), std::string("OK\x00\x02", 4));
    const float first = instrument.measuredProfile().at(0);
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits = (bits << 8) | static_cast<std::uint8_t>(block[4 + i]);
    EXPECT_EQ(std::bit_cast<float>(bits), first);
}

TEST(MeasurementRun, EveryPlanFitsTheProgramsProfileBuffer) {
    MeasuringConditions c;  // 2CR: the lead-in is recorded, the post-travel is not
    const int perCutOff[] = {1600, 1667, 1600, 1667, 1600};
    const int fiveCutOffs[] = {8000, 8333, 8000, 8333, 8000};
    for (char cut = '1'; cut <= '5'; ++cut) {
        c.cutOff = cut;
        c.sections = '1';
        SamplingPlan plan = planSampling(c, 50.0);
        EXPECT_EQ(plan.evaluationPoints, perCutOff[cut - '1']) << cut;
        EXPECT_EQ(plan.measuredPoints, 2 * perCutOff[cut - '1']) << cut;
        c.sections = '5';
        c.filter = '3';  // Gaussian: the post-travel is recorded too
        plan = planSampling(c, 50.0);
        EXPECT_EQ(plan.evaluationPoints, fiveCutOffs[cut - '1']) << cut;
        EXPECT_EQ(plan.measuredPoints, fiveCutOffs[cut - '1'] + 2 * perCutOff[cut - '1']) << cut;
        c.filter = '1';
    }
    c.cutOff = '1';
    c.sections = 'L';
    c.arbitraryLengthMm = 50.0;
    const SamplingPlan coarse = planSampling(c, 50.0);
    EXPECT_LE(coarse.measuredPoints, kMaxProfilePoints);
    EXPECT_GT(coarse.pitchLevel, 0);

    c.profile = '5';
    c.filter = '4';
    const int expected[] = {4300, 6450, 10700, 5100};
    for (char a = '2'; a <= '5'; ++a) {
        c.motifA = a;
        const SamplingPlan plan = planSampling(c, 50.0);
        EXPECT_EQ(plan.measuredPoints, expected[a - '2']) << a;
        EXPECT_LE(plan.evaluationPoints, plan.measuredPoints);
    }
}

TEST(MeasurementRun, StopEndsTheRunWithoutData) {
    Instrument instrument;
    SimHost host(instrument);
    ASSERT_EQ(host.ask("WRSTA"), "OK\r");  // 4 mm at 0.5 mm/s: 8 s
    host.advance(Millis{2000});
    EXPECT_EQ(host.status(), '1');
    EXPECT_EQ(host.ask("WRSTP"), "OK\r");
    EXPECT_EQ(host.ask("RDSTU00").substr(2, 2), "60");  // away from the origin, no data
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 1.0, 0.05);
    EXPECT_EQ(host.ask("RDDTB00"), "NG04\r");
    EXPECT_EQ(host.ask("RDRES00"), "NG04\r");
}

TEST(MeasurementRun, AutoReturnBringsTheStylusHomeAndWithoutItTheStatusSaysSo) {
    Instrument instrument;
    SimHost host(instrument);
    shortConditions(host);
    ASSERT_EQ(host.ask("WRSTA"), "OK\r");
    host.advance(Millis{3000});
    EXPECT_EQ(host.ask("RDSTU00").substr(2, 2), "01");

    ASSERT_EQ(host.ask("WRART2"), "OK\r");
    ASSERT_EQ(host.ask("WRSTA"), "OK\r");
    host.advance(Millis{3000});
    EXPECT_EQ(host.ask("RDSTU00").substr(2, 2), "61");
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 0.24, 1e-6);
}

TEST(MeasurementRun, ConditionsThatCannotFitTheDriveAreRefused) {
    Instrument instrument;
    SimHost host(instrument);
    ASSERT_EQ(host.ask("WRCUT5L"), "OK\r");
    ASSERT_EQ(host.ask("WRL  1   50     "), "OK\r");
    EXPECT_EQ(host.ask("WRSTA"), "NG19\r");  // 50 mm plus 8 mm each side
}

TEST(MeasurementRun, SpeedFactorShortensTheRun) {
    SimConfig fast;
    fast.speedFactor = 20;
    Instrument instrument(fast);
    SimHost host(instrument);
    ASSERT_EQ(host.ask("WRSTA"), "OK\r");  // 8 s of travel and 1.5 s of calculation
    host.advance(Millis{550});
    EXPECT_EQ(host.status(), '0');
}

TEST(MeasurementRun, SameSeedSameWorkpieceOtherSeedOther) {
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

TEST(Drive, JogsHitTheLimitAndOriginReturnComesHome) {
    Instrument instrument;
    SimHost host(instrument);
    ASSERT_EQ(host.ask("WRSPD44"), "OK\r");
    ASSERT_EQ(host.ask("WRESP"), "OK\r");
    EXPECT_EQ(host.status(), '4');
    host.advance(Millis{1000});
    EXPECT_EQ(host.ask("WRSTP"), "OK\r");
    EXPECT_EQ(host.status(), '6');
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 2.0, 0.05);

    ASSERT_EQ(host.ask("WRSPD44"), "OK\r");
    ASSERT_EQ(host.ask("WRESP"), "OK\r");
    host.advance(Millis{30000});
    EXPECT_EQ(host.status(), '7');
    EXPECT_DOUBLE_EQ(instrument.stylusPositionMm(host.now), 50.0);

    ASSERT_EQ(host.ask("WRSPD45"), "OK\r");
    ASSERT_EQ(host.ask("WRRTN"), "OK\r");
    EXPECT_EQ(host.status(), '5');
    host.advance(Millis{13000});
    EXPECT_EQ(host.status(), '0');
    // The drive speeds did not touch the measuring speed.
    EXPECT_EQ(instrument.conditions().speed, '3');
}

TEST(Drive, SpeedCommandWithoutAMotionIsAMeasuringSpeed) {
    Instrument instrument;
    SimHost host(instrument);
    ASSERT_EQ(host.ask("WRSPD45"), "OK\r");
    ASSERT_EQ(host.ask("WRCAN0000100"), "OK\r");
    ASSERT_EQ(host.ask("WRRTN"), "OK\r");
    EXPECT_EQ(instrument.conditions().speed, '4');
}

TEST(Drive, MeasurementThatRunsOutOfTravelStopsAtTheLimitWithoutData) {
    Instrument instrument;
    SimHost host(instrument);
    ASSERT_EQ(host.ask("WRSPD44"), "OK\r");
    ASSERT_EQ(host.ask("WRESP"), "OK\r");
    host.advance(Millis{23500});  // 47 mm out: 3 mm left, the run needs 4
    ASSERT_EQ(host.ask("WRSTP"), "OK\r");
    ASSERT_EQ(host.ask("WRSPD35"), "OK\r");
    EXPECT_EQ(host.ask("WRSTA"), "OK\r");
    host.advance(Millis{10000});
    EXPECT_EQ(host.ask("RDSTU00").substr(2, 2), "70");
    EXPECT_EQ(host.ask("RDDTB00"), "NG04\r");
}

TEST(Drive, OldestFirmwareReturnsToTheOriginInsteadOfMeasuring) {
    SimConfig config;
    config.firmwareVersion = "1.102";
    Instrument kind1(config);
    SimHost host(kind1);
    ASSERT_EQ(host.ask("WRSPD33"), "OK\r");
    ASSERT_EQ(host.ask("WRESP"), "OK\r");
    host.advance(Millis{2000});
    ASSERT_EQ(host.ask("WRSTP"), "OK\r");
    EXPECT_EQ(host.status(), '6');
    ASSERT_EQ(host.ask("WRSTA"), "OK\r");
    EXPECT_EQ(host.status(), '1');  // kind 1 measures from where it stands
}

}  // namespace
}  // namespace kt520::sim
