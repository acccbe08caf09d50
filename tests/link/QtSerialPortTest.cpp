// The QSerialPort backend against a real pseudo-terminal pair: the backend
// opens the terminal side, the test plays the instrument on the master side.
#include <fcntl.h>
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

class PseudoTerminal : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_link";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }

    void SetUp() override {
        int terminal = -1;
        char path[256] = {};
        ASSERT_EQ(openpty(&master, &terminal, path, nullptr, nullptr), 0);
        ::close(terminal);  // the backend opens it again by name
        map.setDevice(1, path);
    }

    void TearDown() override {
        if (master >= 0) ::close(master);
    }

    void closeMaster() {
        ::close(master);
        master = -1;
    }

    // What the backend wrote, as far as it arrives within a second.
    std::string readFromMaster(std::size_t count) {
        std::string bytes;
        const auto deadline = std::chrono::steady_clock::now() + 1s;
        while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd ready{master, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0) continue;
            char buffer[256];
            const auto got = ::read(master, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return bytes;
    }

    void writeToMaster(const std::string& bytes) {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Polls the backend until `count` bytes wait or a second has passed.
    static int waitForBytes(SerialPort& port, int count) {
        const auto deadline = std::chrono::steady_clock::now() + 1s;
        while (port.isOpen() && port.bytesWaiting() < count &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        return port.bytesWaiting();
    }

    int master = -1;
    PortMap map;
};

TEST(LineSettings, ReadsTheSettingsText) {
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

TEST_F(PseudoTerminal, BytesTravelBothWays) {
    QtSerialPort port(map);
    port.setSettings(kLineSettings);
    port.setPortNumber(1);
    ASSERT_TRUE(port.open()) << port.lastError().toStdString();
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(port.deviceReady());  // a terminal has no modem lines to report

    port.write("RDKT 00\r");
    for (int i = 0; i < 100 && port.bytesToSend() > 0; ++i) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(port.bytesToSend(), 0);
    EXPECT_EQ(readFromMaster(8), "RDKT 00\r");

    writeToMaster(std::string("OK\x00\xff\r", 5));
    ASSERT_EQ(waitForBytes(port, 5), 5);
    std::string received;
    while (const auto byte = port.readByte()) received.push_back(static_cast<char>(*byte));
    EXPECT_EQ(received, std::string("OK\x00\xff\r", 5));
    EXPECT_FALSE(port.readByte());

    writeToMaster("stale");
    waitForBytes(port, 5);
    port.clearInput();
    EXPECT_EQ(port.bytesWaiting(), 0);

    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PseudoTerminal, MissingDevicesAndPortsDoNotOpen) {
    map.setDevice(2, "/dev/no-such-terminal");
    QtSerialPort port(map);
    port.setSettings(kLineSettings);
    port.setPortNumber(2);
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.lastError().isEmpty());

    port.setPortNumber(21);
    EXPECT_FALSE(port.open());

    port.setPortNumber(1);
    port.setSettings("28800,Q,8,1");
    EXPECT_FALSE(port.open());
}

TEST_F(PseudoTerminal, AClosedFarEndIsReportedNotWaitedFor) {
    QtSerialPort port(map);
    port.setSettings(kLineSettings);
    port.setPortNumber(1);
    ASSERT_TRUE(port.open());
    closeMaster();
    waitForBytes(port, 1);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.readByte());
}

TEST_F(PseudoTerminal, TheLinkExchangesCommandsAndNoticesTheLineGoing) {
    QtSerialPort port(map);
    RealPump pump;
    testing::RecordingOperator op;
    lang::MessageCatalog catalog;
    catalog.load("E");
    InstrumentLink link(port, pump, op, catalog);
    port.setSettings(kLineSettings);
    port.setPortNumber(1);
    ASSERT_TRUE(port.open());
    link.linkState = "OK";

    std::string asked;
    std::thread instrument([&] {
        asked = readFromMaster(8);
        writeToMaster("OK012345678");
    });
    const std::string status = link.queryStatus(3);
    instrument.join();
    EXPECT_EQ(asked, "RDSTU00\r");
    EXPECT_EQ(status, "0");

    closeMaster();
    const auto start = pump.now();
    link.sendCommand("RDSTU00");
    EXPECT_TRUE(link.lineFailed());
    EXPECT_LT(pump.now() - start, Millis{1000});
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Communication is abnormal! "});
}

}  // namespace
}  // namespace kt520::link
