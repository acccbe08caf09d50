// The start-up search over the serial devices the system reports: a USB
// adapter found by the enumeration is searched without --port.
#if defined(__unix__)
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "app/Program.h"
#include "app/QtEventPump.h"
#include "sim/Instrument.h"
#include "sim/pty/PtyServer.h"
#include "support/RecordingOperator.h"

namespace kt520::testing {
namespace {

class ReportedPorts : public link::PortEnumerator {
  public:
    explicit ReportedPorts(std::vector<link::SerialDevice> devices)
        : devices_(std::move(devices)) {}
    std::vector<link::SerialDevice> devices() const override { return devices_; }

  private:
    std::vector<link::SerialDevice> devices_;
};

TEST(StartupSearch, FindsTheInstrumentOnAUsbAdapterTheSystemReports) {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);

    sim::Instrument instrument{sim::SimConfig{}};
    sim::PtyServer server(instrument);
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    std::atomic<bool> serving = true;
    std::thread line([&] {
        while (serving && server.serveOnce(5)) {
        }
    });

    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(KT520_SOURCE_DIR "/data/520Language.ini"),
                            programDir.filePath(QStringLiteral("520Language.ini"))));
    app::Options options;
    options.programFolder = programDir.path().toStdString();
    options.dataFolder = dataDir.path().toStdString();
    // An on-board port that is not there, reported first: the adapter still gets COM1.
    const ReportedPorts system({{"/dev/kt520-no-such-port", "", false},
                                {server.devicePath(), "Simulated USB adapter", true}});
    app::QtEventPump pump;
    RecordingOperator op;
    {
        app::Program program(options, pump, op, system);
        program.start();
        const app::MainWindow& window = program.mainWindow();
        EXPECT_EQ(window.window().cmbCOM.text, "COM1");
        EXPECT_EQ(window.link().linkState, "OK");
        EXPECT_EQ(window.model().modelName, "KT520");
        EXPECT_TRUE(op.messages.empty()) << op.messages.front().text;
        EXPECT_EQ(window.window().cmbCOM.toolTip,
                  "COM1   " + server.devicePath() +
                      " (Simulated USB adapter)\nCOM2   /dev/kt520-no-such-port");
    }
    serving = false;
    line.join();
}

}  // namespace
}  // namespace kt520::testing
#endif
