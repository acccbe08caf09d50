// Identification and condition commands of the simulated instrument, as the
// program sees them on the line.
#include <gtest/gtest.h>

#include "SimHost.h"

namespace kt520::sim {
namespace {

using testing::column;
using testing::SimHost;
using ConditionRecord = testing::SimTest;
using Identification = testing::SimTest;

SimConfig firmware(const char* version) {
    SimConfig config;
    config.firmwareVersion = version;
    return config;
}

TEST(ConfiguredInstrument,
     IdentificationHasModelVersionAndDriveRangeAndDriveRangeStandWhereTheProgramCutsThem) {
    SimConfig config;
    config.driveRangeText = "2";
    Instrument instrument(config);
    SimHost host(instrument);
    const std::string reply = host.ask("RDKT 00");
    ASSERT_FALSE(reply.empty());
    EXPECT_EQ(reply.back(), '\r');
    EXPECT_EQ(reply.substr(4, 5), "KT520");
    EXPECT_EQ(reply.substr(12, 5), "1.311");
    EXPECT_EQ(std::count(reply.begin(), reply.end(), ','), 17);
    EXPECT_TRUE(reply.ends_with(",2\r"));  // field 18: the drive range
}

TEST_F(Identification, ReplyTakesTheLineTimeOfARealInstrument) {
    host.send("RDKT 00");
    // Eight command bytes and the turnaround pass before the first byte.
    EXPECT_EQ(instrument.takeForHost(host.now + link::Millis{4}), "");
    const std::string early = instrument.takeForHost(host.now + link::Millis{10});
    EXPECT_FALSE(early.empty());
    const std::string rest = instrument.takeForHost(host.now + link::Millis{100});
    EXPECT_EQ((early + rest).back(), '\r');
    EXPECT_NE(rest, "");  // 50 bytes need about 19 ms at 28800 baud
}

struct Column {
    int start, width;
    const char* text;
};

void expectColumns(const std::string& reply, std::initializer_list<Column> columns) {
    for (const Column& c : columns) EXPECT_EQ(column(reply, c.start, c.width), c.text) << c.start;
}

TEST_F(ConditionRecord, LongLayoutHoldsTheDefaultsAndCommandsChangeIt) {
    std::string reply = host.ask("RDCON00");
    ASSERT_EQ(reply.size(), 2u + 305u + 1u);
    EXPECT_EQ(reply.substr(0, 2), "OK");
    // cut-off, N, profile, filter, standard, range; speed; unit; 3 x 0.8 mm and the
    // pitch in um; pre/post travel; fl, A, B, over-range; auto return; ML; ANX
    expectColumns(reply, {{1, 6, "332146"},
                          {20, 1, "3"},
                          {22, 1, "1"},
                          {23, 10, "  2.4 0.50"},
                          {132, 1, "1"},
                          {207, 4, "0231"},
                          {219, 1, "1"},
                          {220, 23, " 0.64,  3.2, 16.0, 25.4"},
                          {243, 1, "0"}});

    host.accept({"WRUNT1", "WRCUT45", "WRSTD6", "WRFIL33", "WRRAN72", "WRM A4", "WRM B6", "WRTRA0",
                 "WRFHL53", "WRART2", "WRSPD05", "WRMET1"});
    expectColumns(host.ask("RDCON00"), {{1, 6, "453367"},
                                        {20, 1, "0"},
                                        {23, 10, " 12.5 1.50"},
                                        {132, 1, "0"},
                                        {207, 4, "3462"},
                                        {219, 1, "2"},
                                        {243, 1, "1"}});
    host.accept({"WRUNT2"});
    expectColumns(host.ask("RDCON00"),
                  {{22, 1, "2"}, {23, 10, "0.492 59.1"}, {220, 23, "0.025,0.126,0.630,1.000"}});
}

TEST(OlderFirmware, ShortLayoutBeforeFirmware1103) {
    Instrument instrument(firmware("1.102"));
    SimHost host(instrument);
    const std::string reply = host.ask("RDCON00");
    ASSERT_EQ(reply.size(), 2u + 249u + 1u);
    EXPECT_EQ(column(reply, 220, 30), std::string(30, ' '));
    EXPECT_EQ(host.ask("WRML  0.64,  3.2, 16.0, 25.4"), "NG01\r");
    EXPECT_EQ(host.ask("WRMET1"), "NG01\r");
}

TEST_F(ConditionRecord, EveryCutOffHasAnInchPitchTheProgramKnows) {
    host.accept({"WRUNT2"});
    const char* pitches[] = {"  2.0", "  5.9", " 19.7", " 59.1", "196.8"};
    for (char cut = '1'; cut <= '5'; ++cut) {
        ASSERT_EQ(host.ask(std::string("WRCUT") + cut + "1"), "OK\r");
        EXPECT_EQ(column(host.ask("RDCON00"), 28, 5), pitches[cut - '1']) << cut;
    }
}

TEST_F(ConditionRecord, ArbitraryLengthInEitherUnit) {
    host.accept({"WRCUT41", "WRCUT4L", "WRL  1    4     "});
    std::string reply = host.ask("RDCON00");
    EXPECT_EQ(column(reply, 1, 2), "4L");
    EXPECT_EQ(column(reply, 23, 5), "    4");

    host.accept({"WRUNT2", "WRL  2  0.5     "});
    EXPECT_EQ(column(host.ask("RDCON00"), 23, 5), "  0.5");
    host.accept({"WRUNT1"});
    EXPECT_EQ(column(host.ask("RDCON00"), 23, 5), " 12.7");
}

TEST_F(ConditionRecord, RefusedCommandsLeaveTheRecordAlone) {
    const std::string before = host.ask("RDCON00");
    // Codes out of range answer error 11, commands the instrument cannot read error 1.
    for (const char* outOfRange : {"WRCUT65", "WRUNT3", "WRSTD0", "WRFIL13", "WRFIL73", "WRRAN81",
                                   "WRRAN65", "WRM A1", "WRM B2", "WRTRA2", "WRSPD36", "WRFHL14",
                                   "WRL  1 99.0     ", "WRML  0.64,  3.2, 16.0, 99.0"}) {
        EXPECT_EQ(host.ask(outOfRange), "NG11\r") << outOfRange;
    }
    for (const char* unreadable :
         {"WRCUT3X", "WRCUT3", "WRSPD6", "WRL  1  0.05     ", "WRL  1  abc     ",
          "WRML  0.64;  3.2, 16.0, 25.4", "WRXYZ1", "HELLO", ""}) {
        EXPECT_EQ(host.ask(unreadable), "NG01\r") << unreadable;
    }
    EXPECT_EQ(host.ask("RDCON00"), before);
}

TEST(OlderFirmware, RefusesTheCommandsItDoesNotKnow) {
    Instrument old(firmware("1.003"));
    SimHost host(old);
    EXPECT_EQ(host.ask("WRART1"), "NG01\r");
    EXPECT_EQ(host.ask("WRESP"), "NG01\r");
    Instrument newer(firmware("1.004"));
    SimHost newerHost(newer);
    EXPECT_EQ(newerHost.ask("WRART1"), "OK\r");
}

}  // namespace
}  // namespace kt520::sim
