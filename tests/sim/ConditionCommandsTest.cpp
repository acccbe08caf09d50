// Identification and condition commands of the simulated instrument, as the
// program sees them on the line.
#include <gtest/gtest.h>

#include "SimHost.h"

namespace kt520::sim {
namespace {

using testing::column;
using testing::SimHost;

SimConfig firmware(const char* version) {
    SimConfig config;
    config.firmwareVersion = version;
    return config;
}

TEST(Identification, ModelVersionAndDriveRangeStandWhereTheProgramCutsThem) {
    SimConfig config;
    config.driveRangeText = "2";
    Instrument instrument(config);
    SimHost host(instrument);
    const std::string reply = host.ask("RDKT 00");
    ASSERT_FALSE(reply.empty());
    EXPECT_EQ(reply.back(), '\r');
    EXPECT_EQ(reply.substr(4, 5), "KT520");
    EXPECT_EQ(reply.substr(12, 5), "1.311");
    std::vector<std::string> fields;
    std::string field;
    for (char c : reply.substr(0, reply.size() - 1)) {
        if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    ASSERT_EQ(fields.size(), 18u);
    EXPECT_EQ(fields[17], "2");
}

TEST(Identification, ReplyTakesTheLineTimeOfARealInstrument) {
    Instrument instrument;
    SimHost host(instrument);
    host.send("RDKT 00");
    // Eight command bytes and the turnaround pass before the first byte.
    EXPECT_EQ(instrument.takeForHost(host.now + link::Millis{4}), "");
    const std::string early = instrument.takeForHost(host.now + link::Millis{10});
    EXPECT_FALSE(early.empty());
    const std::string rest = instrument.takeForHost(host.now + link::Millis{100});
    EXPECT_EQ((early + rest).back(), '\r');
    EXPECT_NE(rest, "");  // 50 bytes need about 19 ms at 28800 baud
}

TEST(ConditionRecord, LongLayoutHoldsTheDefaultsAtTheirColumns) {
    Instrument instrument;
    SimHost host(instrument);
    const std::string reply = host.ask("RDCON00");
    ASSERT_EQ(reply.size(), 2u + 305u + 1u);
    EXPECT_EQ(reply.substr(0, 2), "OK");
    EXPECT_EQ(column(reply, 1, 6), "332146");  // cut-off, N, profile, filter, standard, range
    EXPECT_EQ(column(reply, 20, 1), "3");      // speed
    EXPECT_EQ(column(reply, 22, 1), "1");      // unit
    EXPECT_EQ(column(reply, 23, 5), "  2.4");  // 3 x 0.8 mm
    EXPECT_EQ(column(reply, 28, 5), " 0.50");  // pitch in um
    EXPECT_EQ(column(reply, 132, 1), "1");     // pre/post travel
    EXPECT_EQ(column(reply, 207, 4), "0231");  // fl, A, B, over-range
    EXPECT_EQ(column(reply, 219, 1), "1");     // auto return
    EXPECT_EQ(column(reply, 220, 23), " 0.64,  3.2, 16.0, 25.4");
    EXPECT_EQ(column(reply, 243, 1), "0");  // ANX
}

TEST(ConditionRecord, ShortLayoutBeforeFirmware1103) {
    Instrument instrument(firmware("1.102"));
    SimHost host(instrument);
    const std::string reply = host.ask("RDCON00");
    ASSERT_EQ(reply.size(), 2u + 249u + 1u);
    EXPECT_EQ(column(reply, 220, 30), std::string(30, ' '));
    EXPECT_EQ(host.ask("WRML  0.64,  3.2, 16.0, 25.4"), "NG01\r");
    EXPECT_EQ(host.ask("WRMET1"), "NG01\r");
}

TEST(ConditionRecord, CommandsChangeTheRecordInMillimetresAndInches) {
    Instrument instrument;
    SimHost host(instrument);
    for (const char* command : {"WRUNT1", "WRCUT45", "WRSTD6", "WRFIL33", "WRRAN72", "WRM A4",
                                "WRM B6", "WRTRA0", "WRFHL53", "WRART2", "WRSPD05", "WRMET1"}) {
        EXPECT_EQ(host.ask(command), "OK\r") << command;
    }
    std::string reply = host.ask("RDCON00");
    EXPECT_EQ(column(reply, 1, 6), "453367");
    EXPECT_EQ(column(reply, 20, 1), "0");
    EXPECT_EQ(column(reply, 23, 10), " 12.5 1.50");
    EXPECT_EQ(column(reply, 132, 1), "0");
    EXPECT_EQ(column(reply, 207, 4), "3462");
    EXPECT_EQ(column(reply, 219, 1), "2");
    EXPECT_EQ(column(reply, 243, 1), "1");

    EXPECT_EQ(host.ask("WRUNT2"), "OK\r");
    reply = host.ask("RDCON00");
    EXPECT_EQ(column(reply, 22, 1), "2");
    EXPECT_EQ(column(reply, 23, 10), "0.492 59.1");
    EXPECT_EQ(column(reply, 220, 23), "0.025,0.126,0.630,1.000");
}

TEST(ConditionRecord, EveryCutOffHasAnInchPitchTheProgramKnows) {
    Instrument instrument;
    SimHost host(instrument);
    ASSERT_EQ(host.ask("WRUNT2"), "OK\r");
    const char* pitches[] = {"  2.0", "  5.9", " 19.7", " 59.1", "196.8"};
    for (char cut = '1'; cut <= '5'; ++cut) {
        ASSERT_EQ(host.ask(std::string("WRCUT") + cut + "1"), "OK\r");
        EXPECT_EQ(column(host.ask("RDCON00"), 28, 5), pitches[cut - '1']) << cut;
    }
}

TEST(ConditionRecord, ArbitraryLengthInEitherUnit) {
    Instrument instrument;
    SimHost host(instrument);
    EXPECT_EQ(host.ask("WRCUT41"), "OK\r");
    EXPECT_EQ(host.ask("WRCUT4L"), "OK\r");
    EXPECT_EQ(host.ask("WRL  1    4     "), "OK\r");
    std::string reply = host.ask("RDCON00");
    EXPECT_EQ(column(reply, 1, 2), "4L");
    EXPECT_EQ(column(reply, 23, 5), "    4");

    EXPECT_EQ(host.ask("WRUNT2"), "OK\r");
    EXPECT_EQ(host.ask("WRL  2  0.5     "), "OK\r");
    EXPECT_EQ(column(host.ask("RDCON00"), 23, 5), "  0.5");
    EXPECT_EQ(host.ask("WRUNT1"), "OK\r");
    EXPECT_EQ(column(host.ask("RDCON00"), 23, 5), " 12.7");
}

TEST(ConditionRecord, RefusedCommandsLeaveTheRecordAlone) {
    Instrument instrument;
    SimHost host(instrument);
    const std::string before = host.ask("RDCON00");
    struct Case {
        const char* command;
        const char* reply;
    };
    const Case cases[] = {
        {"WRCUT65", "NG11\r"},
        {"WRCUT3X", "NG01\r"},
        {"WRCUT3", "NG01\r"},
        {"WRUNT3", "NG11\r"},
        {"WRSTD0", "NG11\r"},
        {"WRFIL13", "NG11\r"},
        {"WRFIL73", "NG11\r"},
        {"WRRAN81", "NG11\r"},
        {"WRRAN65", "NG11\r"},
        {"WRM A1", "NG11\r"},
        {"WRM B2", "NG11\r"},
        {"WRTRA2", "NG11\r"},
        {"WRSPD36", "NG11\r"},
        {"WRSPD6", "NG01\r"},
        {"WRFHL14", "NG11\r"},
        {"WRL  1 99.0     ", "NG11\r"},
        {"WRL  1  0.05     ", "NG01\r"},
        {"WRL  1  abc     ", "NG01\r"},
        {"WRML  0.64,  3.2, 16.0, 99.0", "NG11\r"},
        {"WRML  0.64;  3.2, 16.0, 25.4", "NG01\r"},
        {"WRXYZ1", "NG01\r"},
        {"HELLO", "NG01\r"},
        {"", "NG01\r"},
    };
    for (const Case& c : cases) EXPECT_EQ(host.ask(c.command), c.reply) << c.command;
    EXPECT_EQ(host.ask("RDCON00"), before);
}

TEST(ConditionRecord, OlderFirmwareRefusesTheCommandsItDoesNotKnow) {
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
