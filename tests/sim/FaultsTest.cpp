// Faults on the simulated line and the option texts that set them up.
#include <gtest/gtest.h>

#include "SimHost.h"

namespace kt520::sim {
namespace {

using link::Millis;
using testing::SimHost;

Instrument withFaults(std::initializer_list<const char*> texts) {
    SimConfig config;
    for (const char* text : texts) {
        const std::string error = applySimOption(config, "fault", text);
        EXPECT_EQ(error, "") << text;
    }
    return Instrument(config);
}

TEST(Faults, NoAnswerHitsOnlyTheChosenOccurrenceStuckBusyEveryOneFromThereOn) {
    Instrument instrument = withFaults({"no-answer:RDSTU00#2", "busy#3"});
    SimHost host(instrument);
    EXPECT_EQ(host.ask("RDSTU00"), "OK000000000");
    EXPECT_EQ(host.ask("RDSTU00"), "");
    EXPECT_EQ(host.status(), '5');
    host.advance(Millis{60000});
    EXPECT_EQ(host.status(), '5');
}

TEST(Faults, RefusalLateAnswerAndGarbage) {
    Instrument instrument = withFaults({"ng:WRSTD=05", "late:RDCON00=800", "garbage:RDRES00"});
    SimHost host(instrument);
    EXPECT_EQ(host.ask("WRSTD1"), "NG05\r");
    EXPECT_EQ(instrument.conditions().standard, '4');  // refused, so not applied
    host.accept({"WRCUT35"});

    host.send("RDCON00");
    EXPECT_EQ(host.collect(Millis{790}), "");
    EXPECT_EQ(host.collect(Millis{500}).size(), 2u + 305u + 1u);

    const std::string garbage = host.ask("RDRES00");
    EXPECT_FALSE(garbage.starts_with("OK"));
    EXPECT_FALSE(garbage.starts_with("NG"));
}

TEST(Faults, BlockFaults) {
    Instrument instrument = withFaults({"huge-block#1", "truncate#2", "close#3"});
    SimHost host(instrument);
    host.accept({"WRCUT11", "WRSPD54", "WRNUM  100", "WRSTA"});
    host.advance(Millis{5000});
    host.accept({"WRCAN0000100"});

    host.send("RDDTB00");
    EXPECT_EQ(host.collect(Millis{200}), std::string("OK\x7f\xff", 4));
    host.send("RDDTB00");
    EXPECT_EQ(host.collect(Millis{200}).size(), (5u + 400u) / 2);
    EXPECT_TRUE(instrument.deviceReady());
    host.send("RDDTB00");
    EXPECT_EQ(host.collect(Millis{200}).size(), (5u + 400u) / 2);
    EXPECT_FALSE(instrument.deviceReady());
    EXPECT_EQ(host.ask("RDSTU00"), "");  // the line stays dead
}

TEST(Faults, OverlongReply) {
    Instrument instrument = withFaults({"overlong:RDKT 00"});
    SimHost host(instrument);
    host.send("RDKT 00");
    const std::string reply = host.collect(Millis{30000});
    EXPECT_GT(reply.size(), 65536u);
    EXPECT_EQ(reply.find('\r'), reply.size() - 1);
}

TEST(FaultTexts, BadTextsSayWhatIsWrong) {
    FaultRule rule;
    for (const char* bad :
         {"sparks", "late=soon", "ng:WRSTD=5", "ng:WRSTD=23", "garbage=1", "close#0"}) {
        std::string error;
        EXPECT_FALSE(parseFaultRule(bad, rule, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    std::string error;
    EXPECT_FALSE(parseFaultRule("sparks", rule, error));
    EXPECT_NE(error.find("sparks"), std::string::npos);

    ASSERT_TRUE(parseFaultRule("ng:RDKT 00#3=22", rule, error)) << error;
    EXPECT_EQ(rule.kind, FaultKind::Refuse);
    EXPECT_EQ(rule.command, "RDKT 00");
    EXPECT_EQ(rule.occurrence, 3);
    EXPECT_EQ(rule.errorCode, "22");
    ASSERT_TRUE(parseFaultRule("close", rule, error));
    EXPECT_EQ(rule.command, "RDDTB00");
}

TEST(SimOptions, ValuesAreCheckedAndApplied) {
    SimConfig config;
    EXPECT_EQ(applySimOption(config, "speed", "20"), "");
    EXPECT_EQ(applySimOption(config, "firmware", "1.102"), "");
    EXPECT_EQ(applySimOption(config, "drive-range", "2"), "");
    EXPECT_EQ(applySimOption(config, "seed", "99"), "");
    EXPECT_EQ(applySimOption(config, "model", "KT210"), "");
    EXPECT_DOUBLE_EQ(config.speedFactor, 20.0);
    EXPECT_EQ(config.romVersion(), 1102);
    EXPECT_DOUBLE_EQ(config.driveRangeMm(), 50.8);
    EXPECT_EQ(config.seed, 99u);

    for (auto [key, value] : {std::pair{"speed", "0"},
                              {"speed", "fast"},
                              {"firmware", "1.1"},
                              {"drive-range", "-3"},
                              {"seed", "x"},
                              {"model", "KT5200"},
                              {"colour", "red"}}) {
        EXPECT_NE(applySimOption(config, key, value), "") << key << "=" << value;
    }
    EXPECT_DOUBLE_EQ(config.speedFactor, 20.0);  // a refused value changes nothing
}

}  // namespace
}  // namespace kt520::sim
