// The program's own instrument link talking to the simulated instrument over
// the in-memory serial port, on a simulated clock.
#include <gtest/gtest.h>

#include <cstdlib>

#include "lang/MessageCatalog.h"
#include "link/InMemorySerialPort.h"
#include "link/InstrumentLink.h"
#include "link/SimulatedPump.h"
#include "sim/Instrument.h"
#include "support/RecordingOperator.h"

namespace kt520::sim {
namespace {

class SimulatedLine : public ::testing::Test {
  protected:
    SimulatedLine() {
        catalog.load("E");
        port.attach(3, instrument);
    }

    Instrument instrument;
    link::SimulatedPump pump;
    link::InMemorySerialPort port{pump};
    kt520::testing::RecordingOperator op;
    lang::MessageCatalog catalog;
    link::InstrumentLink line{port, pump, op, catalog};
};

TEST_F(SimulatedLine, ConnectsRefusesAndMeasuresThroughTheLink) {
    ASSERT_EQ(line.openLink(3), "OK");
    line.linkState = "OK";
    EXPECT_EQ(line.queryStatus(3), "0");

    line.sendCommand("WRCUT61");
    EXPECT_EQ(line.checkReply("WRCUT61"), "NG");
    ASSERT_EQ(op.texts().size(), 1u);
    EXPECT_EQ(op.texts()[0], catalog.instrumentError(11));  // "Out Range"

    for (const char* command : {"WRCUT11", "WRSPD54", "WRNUM  100", "WRCAN0000100", "WRSTA"}) {
        line.sendCommand(command);
        EXPECT_EQ(line.checkReply(command), "") << command;
    }
    std::vector<std::string> points(30001);
    std::int32_t count = 0;
    std::string runMode = "WRSTA";
    line.setByteMode();
    for (int guard = 0; guard < 1000 && runMode == "WRSTA"; ++guard) {
        line.sendCommand("RDDTB00");
        line.readBlock(points, count, runMode);
        if (line.blockHead.starts_with("NG")) break;
    }
    line.setTextMode();
    EXPECT_EQ(line.blockHead, "NG04\r");
    EXPECT_EQ(runMode, "WRSTA");
    ASSERT_EQ(count, instrument.samplingPlan().measuredPoints);
    EXPECT_NEAR(std::strtod(points[1].c_str(), nullptr), instrument.measuredProfile()[0], 1e-5);
    EXPECT_NEAR(std::strtod(points[count].c_str(), nullptr), instrument.measuredProfile().back(),
                1e-5);
    EXPECT_TRUE(op.texts().size() == 1u);
}

}  // namespace
}  // namespace kt520::sim
