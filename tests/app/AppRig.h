#pragma once
// A main window on an in-memory serial line and a simulated clock, with its
// language file and data folder in temporary folders.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "link/InMemorySerialPort.h"
#include "link/SimulatedPump.h"
#include "sim/Instrument.h"
#include "support/RecordingOperator.h"
#include "support/ScriptedPeer.h"

namespace kt520::testing {

inline constexpr const char* kEnglishFile = "A:Output\r\nX:E\r\n";

// "KT  " + the five characters of the model + "   " + the firmware version,
// 16 fields of 0, then the drive range.
inline std::string identificationReply(const std::string& model, const std::string& version,
                                       const std::string& driveRange = "50") {
    std::string reply = "KT  " + model + "   " + version;
    for (int field = 2; field <= 17; ++field) reply += ",0";
    return reply + "," + driveRange + "\r";
}

inline sim::SimConfig simulator(const std::string& firmware = "1.311",
                                const std::string& driveRange = "50") {
    sim::SimConfig config;
    config.firmwareVersion = firmware;
    config.driveRangeText = driveRange;
    return config;
}

struct AppRig {
    explicit AppRig(const std::string& languageFile = kEnglishFile) {
        if (!languageFile.empty()) {
            QFile file(programDir.filePath(QStringLiteral("520Language.ini")));
            file.open(QIODevice::WriteOnly);
            file.write(languageFile.data(), static_cast<qint64>(languageFile.size()));
        }
        main = std::make_unique<app::MainWindow>(
            port, pump, op,
            app::Folders{programDir.path().toStdString(), app::dataFolderAt(dataPath())});
    }

    std::string dataPath() const { return dataDir.filePath(QStringLiteral("data")).toStdString(); }

    // The simulated instrument answers on `portNumber`.
    sim::Instrument& instrumentOn(int portNumber, const sim::SimConfig& config = simulator()) {
        instruments.push_back(std::make_unique<sim::Instrument>(config));
        port.attach(portNumber, *instruments.back());
        return *instruments.back();
    }
    // A device that never answers on `portNumber`.
    ScriptedPeer& silentOn(int portNumber, bool deviceReady) {
        peers.push_back(std::make_unique<ScriptedPeer>());
        peers.back()->ready = deviceReady;
        port.attach(portNumber, *peers.back());
        return *peers.back();
    }

    void start() {
        main->initialize();
        main->load();
    }

    // What the program wrote to the line since `from`.
    std::string writtenSince(std::size_t from) const { return port.written().substr(from); }

    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    link::SimulatedPump pump;
    link::InMemorySerialPort port{pump};
    RecordingOperator op;
    std::vector<std::unique_ptr<sim::Instrument>> instruments;
    std::vector<std::unique_ptr<ScriptedPeer>> peers;
    std::unique_ptr<app::MainWindow> main;
};

}  // namespace kt520::testing
