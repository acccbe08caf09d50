// kt520-sim: the simulated KT-520 on a pseudo-terminal. Prints the device
// path, serves until SIGINT or SIGTERM, or until an injected fault closes
// the line.
#include <signal.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "sim/Instrument.h"
#include "sim/SimConfig.h"
#include "sim/pty/PtyServer.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

void onStopSignals() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int fail(const QString& text) {
    std::fprintf(stderr, "kt520-sim: %s\n", qPrintable(text));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("kt520-sim");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Serves a simulated KT-520 surface roughness tester on a pseudo-terminal.\n"
        "Connect the program with: kt520 --port COM1=<printed device path>");
    parser.addHelpOption();
    for (const auto& option : kt520::sim::simOptions()) {
        parser.addOption(QCommandLineOption(
            QString::fromUtf8(option.key.data(), option.key.size()),
            QString::fromStdString(option.description),
            QString::fromUtf8(option.valueName.data(), option.valueName.size())));
    }
    const QCommandLineOption linkOption("link", "also make PATH a symbolic link to the device",
                                        "PATH");
    parser.addOption(linkOption);
    parser.process(app);

    kt520::sim::SimConfig config;
    for (const auto& option : kt520::sim::simOptions()) {
        const QString key = QString::fromUtf8(option.key.data(), option.key.size());
        for (const QString& value : parser.values(key)) {
            const std::string error =
                kt520::sim::applySimOption(config, option.key, value.toStdString());
            if (!error.empty()) return fail(QString::fromStdString(error));
        }
    }

    kt520::sim::Instrument instrument(config);
    kt520::sim::PtyServer server(instrument);
    std::string error;
    if (!server.open(error)) return fail(QString::fromStdString(error));
    const QString linkPath = parser.value(linkOption);
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (!QFile::link(QString::fromStdString(server.devicePath()), linkPath))
            return fail("cannot create the link " + linkPath);
    }
    std::printf("%s\n", server.devicePath().c_str());
    std::fflush(stdout);

    onStopSignals();
    bool lineAlive = true;
    while (!stopRequested && lineAlive) lineAlive = server.serveOnce(server.nextWait(1000));
    if (!lineAlive) {
        // Let the client read the last bytes before the device goes away.
        ::usleep(200000);
        std::fprintf(stderr, "kt520-sim: the line was closed\n");
    }
    if (!linkPath.isEmpty()) QFile::remove(linkPath);
    return 0;
}
