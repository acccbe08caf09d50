// Identification and the condition commands of the simulated instrument, as
// the program sees them on the line.
#include <gtest/gtest.h>

#include "SimHost.h"

namespace kt520::sim::testing {
namespace {

using ConditionRecord = SimTest;

TEST(Identification, HoldsModelVersionAndDriveRangeWhereTheProgramCutsThem) {
    SimConfig config;
    config.driveRangeText = "2";
    Instrument instrument(config);
    SimHost host(instrument);
    host.send("RDKT 00");
    // Eight command bytes and the turnaround pass before the first byte,
    // then the 50 bytes of the reply take about 19 ms at 28800 baud.
    EXPECT_EQ(host.collect(Millis{4}), "");
    const std::string early = host.collect(Millis{10});
    EXPECT_FALSE(early.empty() || early.ends_with('\r'));
    const std::string reply = early + host.collect(Millis{30});
    EXPECT_EQ(reply.substr(4, 13), "KT520   1.311");
    EXPECT_EQ(std::count(reply.begin(), reply.end(), ','), 17);
    EXPECT_TRUE(reply.ends_with(",2\r"));  // field 18: the drive range
}

TEST_F(ConditionRecord, HoldsTheDefaultsAndWhatTheCommandsSetInEitherUnit) {
    // cut-off, N, profile, filter, standard, range; speed; unit; 3 x 0.8 mm and
    // the pitch in um; pre/post travel; fl, A, B, over-range; auto return; ANX
    const std::pair<int, int> columns[] = {{1, 6},   {20, 1},  {22, 1},  {23, 10},
                                           {132, 1}, {207, 4}, {219, 1}, {243, 1}};
    const auto fields = [&] {
        const std::string reply = host.ask("RDCON00");
        EXPECT_EQ(reply.size(), 2u + 305u + 1u);
        Texts texts;
        for (const auto& [start, width] : columns) texts.push_back(column(reply, start, width));
        return texts;
    };
    EXPECT_EQ(fields(), (Texts{"332146", "3", "1", "  2.4 0.50", "1", "0231", "1", "0"}));
    host.accept({"WRUNT1", "WRCUT45", "WRSTD6", "WRFIL33", "WRRAN72", "WRM A4", "WRM B6", "WRTRA0",
                 "WRFHL53", "WRART2", "WRSPD05", "WRMET1"});
    EXPECT_EQ(fields(), (Texts{"453367", "0", "1", " 12.5 1.50", "0", "3462", "2", "1"}));
    host.accept({"WRUNT2", "WRCUT41", "WRCUT4L", "WRL  2  0.5     "});
    EXPECT_EQ(fields()[3], "  0.5 59.1");
    EXPECT_EQ(column(host.ask("RDCON00"), 220, 23), "0.025,0.126,0.630,1.000");
    host.accept({"WRUNT1"});
    EXPECT_EQ(fields()[3], " 12.7 1.50");
    // Every cut-off has an inch pitch the program knows.
    host.accept({"WRUNT2"});
    const char* pitches[] = {"  2.0", "  5.9", " 19.7", " 59.1", "196.8"};
    for (char cut = '1'; cut <= '5'; ++cut) {
        host.accept({std::string("WRCUT") + cut + "1"});
        EXPECT_EQ(column(host.ask("RDCON00"), 28, 5), pitches[cut - '1']) << cut;
    }
}

TEST_F(ConditionRecord, RefusedCommandsLeaveTheRecordAlone) {
    const std::string before = host.ask("RDCON00");
    // Codes out of range answer error 11, commands the instrument cannot read error 1.
    for (const char* outOfRange : {"WRCUT65", "WRUNT3", "WRSTD0", "WRFIL13", "WRFIL73", "WRRAN81",
                                   "WRRAN65", "WRM A1", "WRM B2", "WRTRA2", "WRSPD36", "WRFHL14",
                                   "WRL  1 99.0     ", "WRML  0.64,  3.2, 16.0, 99.0"})
        EXPECT_EQ(host.ask(outOfRange), "NG11\r") << outOfRange;
    for (const char* unreadable :
         {"WRCUT3X", "WRCUT3", "WRSPD6", "WRL  1  0.05     ", "WRL  1  abc     ",
          "WRML  0.64;  3.2, 16.0, 25.4", "WRXYZ1", "HELLO", ""})
        EXPECT_EQ(host.ask(unreadable), "NG01\r") << unreadable;
    EXPECT_EQ(host.ask("RDCON00"), before);
}

TEST(OlderFirmware, HasTheShortRecordBefore1103AndRefusesWhatItDoesNotKnow) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"1.003", "WRART1", "NG01\r"}, {"1.004", "WRART1", "OK\r"},
        {"1.003", "WRESP", "NG01\r"},  {"1.102", "WRML  0.64,  3.2, 16.0, 25.4", "NG01\r"},
        {"1.306", "WRMET1", "NG01\r"}, {"1.307", "WRMET1", "OK\r"}};
    for (const auto& [version, command, reply] : cases) {
        SimConfig config;
        config.firmwareVersion = version;
        Instrument instrument(config);
        SimHost host(instrument);
        EXPECT_EQ(host.ask(command), reply) << version << " " << command;
        EXPECT_EQ(host.ask("RDCON00").size(), 3u + (config.romVersion() < 1103 ? 249u : 305u));
    }
}

}  // namespace
}  // namespace kt520::sim::testing
