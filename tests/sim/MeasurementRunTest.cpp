// A measurement on the simulated instrument: the status it passes through,
// blocks that follow the stylus, the profiles and results it holds after,
// Stop, auto return, its pace and seed, and the drive.
#include <gtest/gtest.h>

#include <set>

#include "SimHost.h"

namespace kt520::sim::testing {
namespace {

using MeasurementRun = SimTest;
using Drive = SimTest;

std::vector<float> readProfile(SimHost& host) {
    std::vector<float> points;
    for (std::string block; (block = host.ask("RDDTB00")).starts_with("OK");)
        for (float p : blockPoints(block)) points.push_back(p);
    return points;
}

TEST_F(MeasurementRun, GoesMeasuringCalculatingIdleWithBlocksThatFollowTheStylus) {
    // 0.08 mm cut-off, one section, 0.05 mm/s: 4.8 s of travel, slower than
    // 100-point blocks on the line.
    host.accept({"WRCUT11", "WRSPD04", "WRNUM  100", "WRCAN0000100", "WRSTA"});
    EXPECT_EQ(host.status(), "10");
    for (const char* busy : {"WRSTA", "WRCUT35", "RDRES00"}) EXPECT_EQ(host.ask(busy), "NG02\r");

    std::vector<float> measured;
    std::set<std::string> statuses;
    std::set<std::size_t> blockSizes;
    for (std::string status; (status = host.status()) != "01";) {
        statuses.insert(status);
        const std::string block = host.ask("RDDTB00");
        if (!block.starts_with("OK")) continue;  // all fetched, the calculation still runs
        const std::vector<float> points = blockPoints(block);
        blockSizes.insert(points.size());
        measured.insert(measured.end(), points.begin(), points.end());
    }
    EXPECT_EQ(statuses, (std::set<std::string>{"10", "20"}));
    EXPECT_GT(blockSizes.size(), 3u);       // partial blocks while measuring ...
    EXPECT_EQ(*blockSizes.rbegin(), 100u);  // ... and full ones once behind
    // 1600 lead-in and 1600 evaluated points: 2CR records no tail.
    EXPECT_EQ(measured.size(), 3200u);
    EXPECT_TRUE(measured == instrument.measuredProfile());

    // The same profile again from its start, then the evaluation profile and the results.
    host.accept({"WRCAN0000100"});
    EXPECT_TRUE(readProfile(host) == measured);
    host.accept({"WRCAN0000101"});
    const std::vector<float> evaluation = readProfile(host);
    EXPECT_EQ(evaluation.size(), 1600u);
    EXPECT_TRUE(evaluation == instrument.evaluationProfile());
    const std::string results = host.ask("RDRES00");
    EXPECT_EQ(std::count(results.begin(), results.end(), ','), 8);
    EXPECT_GT(std::stod(results.substr(2)), 0.01);  // Ra
    EXPECT_LT(std::stod(results.substr(2)), 2.0);
}

TEST_F(MeasurementRun, StopEndsItWithoutDataAndAutoReturnBringsTheStylusHome) {
    host.accept({"WRSTA"});  // 4 mm at 0.5 mm/s: 8 s
    host.now += Millis{2000};
    host.accept({"WRSTP"});
    EXPECT_EQ(host.status(), "60");  // away from the origin, no data
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 1.0, 0.05);
    EXPECT_EQ(host.ask("RDDTB00"), "NG04\r");
    EXPECT_EQ(host.ask("RDRES00"), "NG04\r");

    host.accept({"WRSPD45", "WRRTN"});
    host.now += Millis{300};
    host.accept({"WRCUT11", "WRSPD54", "WRSTA"});  // 0.24 mm in 120 ms
    host.now += Millis{3000};
    EXPECT_EQ(host.status(), "01");
    host.accept({"WRART2", "WRSTA"});
    host.now += Millis{3000};
    EXPECT_EQ(host.status(), "61");
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 0.24, 1e-6);
    host.accept({"WRCUT5L", "WRL  1   50     "});
    EXPECT_EQ(host.ask("WRSTA"), "NG19\r");  // 50 mm and 8 mm each side exceed the drive
}

TEST(ConfiguredInstrument, TheSpeedFactorShortensTheRunAndTheSeedChoosesTheWorkpiece) {
    const auto measure = [](std::uint32_t seed, double speedFactor, Millis wait) {
        SimConfig config;
        config.seed = seed;
        config.speedFactor = speedFactor;
        Instrument instrument(config);
        SimHost host(instrument);
        host.accept({"WRSTA"});  // 8 s of travel and 1.5 s of calculation
        host.now += wait;
        EXPECT_EQ(host.status(), "01") << seed;
        return instrument.measuredProfile();
    };
    EXPECT_EQ(measure(7, 20, Millis{550}), measure(7, 1, Millis{9600}));
    EXPECT_NE(measure(7, 20, Millis{550}), measure(8, 20, Millis{550}));
}

TEST_F(Drive, JogsStopOrRunToTheLimitWhereNoMeasurementFitsAndTheOriginReturnComesHome) {
    host.accept({"WRSPD44", "WRESP"});
    EXPECT_EQ(host.status(), "40");
    host.now += Millis{1000};
    host.accept({"WRSTP"});
    EXPECT_EQ(host.status(), "60");
    EXPECT_NEAR(instrument.stylusPositionMm(host.now), 2.0, 0.05);
    host.accept({"WRSPD44", "WRESP"});
    host.now += Millis{30000};
    EXPECT_EQ(host.status(), "70");
    EXPECT_DOUBLE_EQ(instrument.stylusPositionMm(host.now), 50.0);
    host.accept({"WRSTA"});  // no room left: it stops at the limit without data
    host.now += Millis{1000};
    EXPECT_EQ(host.status(), "70");
    EXPECT_EQ(host.ask("RDDTB00"), "NG04\r");
    host.accept({"WRSPD45", "WRRTN"});
    EXPECT_EQ(host.status(), "50");
    host.now += Millis{13000};
    EXPECT_EQ(host.status(), "00");
    EXPECT_EQ(instrument.conditions().speed, '3');  // drive speeds leave the measuring speed
    host.accept({"WRSPD45", "WRCAN0000100", "WRRTN"});
    EXPECT_EQ(instrument.conditions().speed, '4');  // ... unless no motion follows at once
}

TEST(OldestFirmware, ReturnsToTheOriginInsteadOfMeasuringWhereKind1MeasuresWhereItStands) {
    for (const auto& [version, afterStart] : {std::pair{"1.101", "50"}, {"1.102", "10"}}) {
        SimConfig config;
        config.firmwareVersion = version;
        Instrument instrument(config);
        SimHost host(instrument);
        host.accept({"WRSTA"});
        host.now += Millis{2000};
        host.accept({"WRSTP", "WRSTA"});
        EXPECT_EQ(host.status(), afterStart) << version;
    }
}

}  // namespace
}  // namespace kt520::sim::testing
