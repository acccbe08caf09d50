// The start-up search over the serial devices the system reports: a USB
// adapter found by the enumeration is searched without --port.
#if defined(__unix__)
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "app/Program.h"
#include "async/qt/QtEventLoop.h"
#include "async/qt/QtWorker.h"
#include "sim/Instrument.h"
#include "sim/pty/PtyServer.h"
#include "support/NullFrontend.h"

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

// Quits a Qt event loop once the search is over.
struct SearchFrontend : test::NullFrontend {
    explicit SearchFrontend(QEventLoop& loop) : loop_(loop) {}
    void showMessage(const session::Message& message) override { messages.push_back(message.text); }
    void sessionIdle() override { loop_.quit(); }
    void programEnds(bool) override { loop_.quit(); }
    std::vector<std::string> messages;
    QEventLoop& loop_;
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
        while (serving && server.serveOnce(server.nextWait(5))) {
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
    {
        async::QtEventLoop loop;
        async::QtWorker worker;
        app::Program program(options, loop, system);
        QEventLoop searching;
        SearchFrontend frontend(searching);
        app::Controller controller(loop, worker, program.line(), program.folders(), frontend);
        ASSERT_TRUE(controller.start());
        searching.exec();
        EXPECT_EQ(controller.form().cmbCOM.text, "COM1");
        EXPECT_EQ(controller.session().linkState(), link::LinkState::Connected);
        EXPECT_EQ(controller.session().model().modelName, "KT520");
        EXPECT_EQ(frontend.messages, std::vector<std::string>{});
        EXPECT_EQ(program.portListing(),
                  "COM1   " + server.devicePath() +
                      " (Simulated USB adapter)\nCOM2   /dev/kt520-no-such-port");
    }
    serving = false;
    line.join();
}

}  // namespace
}  // namespace kt520::testing
#endif
