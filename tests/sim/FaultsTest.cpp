// The faults of the simulated line as they fire (what each does to the
// session is the fault matrix's), and the option texts that set them and
// the rest of the simulator up.
#include <gtest/gtest.h>

#include "SimHost.h"

namespace kt520::sim::testing {
namespace {

TEST(Faults, FireOnTheirOccurrenceLateByTheirDelayAndCloseForGood) {
    SimConfig config;
    for (const char* fault : {"no-answer:RDSTU00#2", "busy#3", "late:RDCON00=800", "close:RDRES00"})
        EXPECT_EQ(applySimOption(config, "fault", fault), "") << fault;
    Instrument instrument(config);
    SimHost host(instrument);
    EXPECT_EQ(host.ask("RDSTU00"), "OK000000000");
    EXPECT_EQ(host.ask("RDSTU00"), "");
    EXPECT_EQ(host.status(), "50");
    host.now += Millis{60000};
    EXPECT_EQ(host.status(), "50");  // busy from the third query on
    host.send("RDCON00");
    EXPECT_EQ(host.collect(Millis{790}), "");
    EXPECT_EQ(host.collect(Millis{500}).size(), 2u + 305u + 1u);
    EXPECT_EQ(host.ask("RDRES00"), "NG");  // half of "NG04\r", then the line is dead
    EXPECT_FALSE(instrument.deviceReady());
    EXPECT_EQ(host.ask("RDKT 00"), "");
}

TEST(FaultTexts, AreReadOrRefusedWithTheReason) {
    FaultRule rule;
    std::string error;
    for (const char* bad : {"sparks", "late=soon", "ng:WRSTD=5", "ng:WRSTD=23", "garbage=1",
                            "close#0", "huge-block=1000"}) {
        EXPECT_FALSE(parseFaultRule(bad, rule, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    ASSERT_TRUE(parseFaultRule("ng:RDKT 00#3=22", rule, error)) << error;
    EXPECT_EQ(std::tuple(rule.kind, rule.command, rule.occurrence, rule.errorCode),
              std::tuple(FaultKind::Refuse, std::string("RDKT 00"), 3, std::string("22")));
    ASSERT_TRUE(parseFaultRule("huge-block=2000", rule, error));
    EXPECT_EQ(std::tuple(rule.command, rule.blockPoints), std::tuple(std::string("RDDTB00"), 2000));
}

TEST(SimOptions, ValuesAreCheckedAndApplied) {
    SimConfig config;
    // clang-format off
    const std::pair<const char*, const char*> good[] = {
        {"speed", "20"}, {"firmware", "1.102"}, {"drive-range", "2"}, {"seed", "99"},
        {"model", "KT210"}};
    // clang-format on
    for (const auto& [key, value] : good) EXPECT_EQ(applySimOption(config, key, value), "") << key;
    EXPECT_EQ(std::tuple(config.speedFactor, config.romVersion(), config.driveRangeMm(),
                         config.seed, config.modelName),
              std::tuple(20.0, 1102, 50.8, 99u, std::string("KT210")));
    const std::pair<const char*, const char*> bad[] = {
        {"speed", "0"}, {"speed", "fast"},   {"firmware", "1.1"}, {"drive-range", "-3"},
        {"seed", "x"},  {"model", "KT5200"}, {"colour", "red"}};
    for (const auto& [key, value] : bad)
        EXPECT_NE(applySimOption(config, key, value), "") << key << "=" << value;
    EXPECT_EQ(config.speedFactor, 20.0);  // a refused value changes nothing
}

}  // namespace
}  // namespace kt520::sim::testing
