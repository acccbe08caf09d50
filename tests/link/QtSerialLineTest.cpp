// The QSerialPort line against a real pseudo-terminal pair: the line opens the
// terminal side, the test plays the instrument on the master side.
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include <QEventLoop>
#include <optional>

#include "async/qt/QtEventLoop.h"
#include "link/InstrumentLink.h"
#include "link/qtserial/QtSerialLine.h"

namespace kt520::link {
namespace {

using namespace std::chrono_literals;

TEST(LineSettings, ReadsTheSettingsTextAndRefusesAnythingElse) {
    const auto settings = parseLineSettings("28800,E,8,1");
    ASSERT_TRUE(settings);
    EXPECT_EQ(
        std::tuple(settings->baudRate, settings->parity, settings->dataBits, settings->stopBits),
        std::tuple(28800, QSerialPort::EvenParity, QSerialPort::Data8, QSerialPort::OneStop));
    const auto other = parseLineSettings("9600,n,7,1.5");
    ASSERT_TRUE(other);
    EXPECT_EQ(std::tuple(other->parity, other->dataBits, other->stopBits),
              std::tuple(QSerialPort::NoParity, QSerialPort::Data7, QSerialPort::OneAndHalfStop));
    for (const char* bad : {"", "28800,E,8", "28800,X,8,1", "fast,E,8,1", "28800,E,9,1",
                            "28800,E,8,3", "0,E,8,1", "28800,E,8,1,1"})
        EXPECT_FALSE(parseLineSettings(bad)) << bad;
}

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "test_link";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

TEST(QtSerialLine, MissingDevicesPortsAndSettingsDoNotOpen) {
    application();
    async::QtEventLoop loop;
    PortMap map;
    map.setDevice(2, "/dev/no-such-terminal");
    map.setDevice(1, "/dev/null");
    QtSerialLine line(loop, map);
    EXPECT_FALSE(line.open(2, kLineSettings));
    EXPECT_FALSE(line.lastError().isEmpty());
    EXPECT_FALSE(line.open(21, kLineSettings));
    EXPECT_FALSE(line.open(1, "28800,Q,8,1"));
}

async::Task<void> fetchThenLoseTheLine(InstrumentLink& link, int master, Block& block,
                                       std::optional<LineFault>& fault) {
    block = co_await link.fetchBlock();
    ::close(master);
    try {
        (void)co_await link.queryStatus();
    } catch (const LineLost& lost) {
        fault = lost.fault;
    }
}

// The link reads a binary block through a real device, woken by the port as
// the bytes come, then notices the far end closing without waiting out its bound.
TEST(QtSerialLine, TheLinkReadsABlockAndNoticesTheFarEndClosing) {
    application();
    int master = -1, terminal = -1;
    char path[256] = {};
    ASSERT_EQ(openpty(&master, &terminal, path, nullptr, nullptr), 0);
    ::close(terminal);  // the line opens it again by name
    async::QtEventLoop loop;
    PortMap map;
    map.setDevice(1, path);
    QtSerialLine line(loop, map);
    ASSERT_TRUE(line.open(1, kLineSettings)) << line.lastError().toStdString();
    EXPECT_TRUE(line.deviceReady());  // a terminal has no modem lines to report
    InstrumentLink link(loop, line);

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
    Block block;
    std::optional<LineFault> fault;
    const auto start = std::chrono::steady_clock::now();
    QEventLoop running;  // Qt's own loop, until the work has ended
    async::Job job(fetchThenLoseTheLine(link, master, block, fault));
    job.start([&](std::exception_ptr) { running.quit(); });
    if (job.active()) running.exec();
    instrument.join();
    EXPECT_EQ(asked, "RDDTB00\r");
    EXPECT_EQ(block.points, (std::vector<float>{1.0f, -2.0f}));
    ASSERT_TRUE(fault);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2500ms);
}

}  // namespace
}  // namespace kt520::link
