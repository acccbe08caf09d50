// The QSerialPort backend against a real pseudo-terminal pair: the backend
// opens the terminal side, the test plays the instrument on the master side.
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "lang/MessageCatalog.h"
#include "link/InstrumentLink.h"
#include "link/qtserial/QtSerialPort.h"
#include "support/RecordingOperator.h"

namespace kt520::link {
namespace {

using namespace std::chrono_literals;

// Real time, for a real device: polls sleep a millisecond.
class RealPump : public EventPump {
  public:
    void processEvents() override {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(1ms);
    }
    Millis now() const override {
        return std::chrono::duration_cast<Millis>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

TEST(LineSettings, ReadsTheSettingsTextAndRefusesAnythingElse) {
    const auto settings = parseLineSettings("28800,E,8,1");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->baudRate, 28800);
    EXPECT_EQ(settings->parity, QSerialPort::EvenParity);
    EXPECT_EQ(settings->dataBits, QSerialPort::Data8);
    EXPECT_EQ(settings->stopBits, QSerialPort::OneStop);
    const auto other = parseLineSettings("9600,n,7,1.5");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->parity, QSerialPort::NoParity);
    EXPECT_EQ(other->dataBits, QSerialPort::Data7);
    EXPECT_EQ(other->stopBits, QSerialPort::OneAndHalfStop);

    for (const char* bad : {"", "28800,E,8", "28800,X,8,1", "fast,E,8,1", "28800,E,9,1",
                            "28800,E,8,3", "0,E,8,1", "28800,E,8,1,1"}) {
        EXPECT_FALSE(parseLineSettings(bad)) << bad;
    }
}

TEST(QtSerialPort, MissingDevicesPortsAndSettingsDoNotOpen) {
    PortMap map;
    map.setDevice(2, "/dev/no-such-terminal");
    QtSerialPort port(map);
    port.setSettings(kLineSettings);
    port.setPortNumber(2);
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.lastError().isEmpty());
    port.setPortNumber(21);
    EXPECT_FALSE(port.open());
    map.setDevice(1, "/dev/null");
    port.setPortNumber(1);
    port.setSettings("28800,Q,8,1");
    EXPECT_FALSE(port.open());
}

// The link reads a binary block through the real device, then notices the far
// end closing without waiting out its bound.
TEST(QtSerialPort, TheLinkReadsABlockAndNoticesTheFarEndClosing) {
    static int argc = 1;
    static char name[] = "test_link";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);

    int master = -1, terminal = -1;
    char path[256] = {};
    ASSERT_EQ(openpty(&master, &terminal, path, nullptr, nullptr), 0);
    ::close(terminal);  // the backend opens it again by name
    PortMap map;
    map.setDevice(1, path);
    QtSerialPort port(map);
    RealPump pump;
    testing::RecordingOperator op;
    lang::MessageCatalog catalog;
    catalog.load("E");
    InstrumentLink link(port, pump, op, catalog);
    port.setSettings(kLineSettings);
    port.setPortNumber(1);
    ASSERT_TRUE(port.open()) << port.lastError().toStdString();
    EXPECT_TRUE(port.deviceReady());  // a terminal has no modem lines to report
    link.linkState = "OK";

    std::string asked;
    std::thread instrument([&] {
        for (auto end = std::chrono::steady_clock::now() + 1s;
             asked.size() < 8 && std::chrono::steady_clock::now() < end;) {
            pollfd ready{master, POLLIN, 0};
            char buffer[16];
            if (::poll(&ready, 1, 20) > 0) {
                const auto got = ::read(master, buffer, sizeof buffer);
                if (got > 0) asked.append(buffer, static_cast<std::size_t>(got));
            }
        }
        const std::string block("OK\x00\x02\x3F\x80\x00\x00\xC0\x00\x00\x00\r", 13);
        EXPECT_EQ(::write(master, block.data(), block.size()), 13);
    });
    std::vector<std::string> points{""};
    std::int32_t count = 0;
    std::string runMode = "WRSTA";
    link.setByteMode();
    link.sendCommand("RDDTB00");
    link.readBlock(points, count, runMode);
    instrument.join();
    EXPECT_EQ(asked, "RDDTB00\r");
    EXPECT_EQ(points, (std::vector<std::string>{"", "1", "-2"}));
    EXPECT_EQ(runMode, "WRSTA");

    ::close(master);
    const auto start = pump.now();
    link.sendCommand("RDSTU00");
    EXPECT_TRUE(link.lineFailed());
    EXPECT_LT(pump.now() - start, Millis{1000});
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.readByte());
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Communication is abnormal! "});
}

}  // namespace
}  // namespace kt520::link
