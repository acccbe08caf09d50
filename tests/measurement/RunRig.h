#pragma once
// Everything a measurement run needs, wired as the application wires it, with
// a scripted instrument (or the simulated one) on an in-memory line and a
// simulated clock.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

#include "conditions/ConditionLayout.h"
#include "conditions/ConditionPanel.h"
#include "conditions/ConditionSet.h"
#include "lang/MessageCatalog.h"
#include "link/InMemorySerialPort.h"
#include "link/InstrumentLink.h"
#include "link/ModelInfo.h"
#include "link/SimulatedPump.h"
#include "measurement/MeasurementRun.h"
#include "measurement/ProfileData.h"
#include "rules/ConditionRules.h"
#include "sim/MeasuringConditions.h"
#include "support/RecordingOperator.h"
#include "support/ScriptedPeer.h"
#include "ui/MainWindowModel.h"

namespace kt520::testing {

// "OK", the status, the data status and seven more status characters.
inline std::string statusReply(char status, char dataStatus = '1') {
    return std::string("OK") + status + dataStatus + "0000000";
}

inline std::string conditionReply(const sim::MeasuringConditions& conditions,
                                  int romVersion = 1311) {
    const int pitchLevel = conditions.cutOff - '1';
    return "OK" + sim::conditionRecord(conditions, pitchLevel, romVersion) + "\r";
}

inline std::string fileText(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

// The lines as the data files hold them: each followed by CR LF.
inline std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

struct RunRig {
    explicit RunRig(link::LinePeer& instrument, link::ModelInfo info = {"KT520", 1311, 50.0f, 3})
        : model(info) {
        catalog.load("E");
        layouts.prepareConditionLayouts(model.romVersion);
        port.attach(1, instrument);
        port.setPortNumber(1);
        port.open();
        link.linkState = "OK";
        window.fstrSPD_LIMIT = "4";  // as identification leaves it
        run.installHandlers();
    }

    std::filesystem::path folder() const { return dir.path().toStdString(); }
    std::string file(const char* name) const { return fileText(folder() / name); }
    bool noDataFiles() const { return std::filesystem::is_empty(folder()); }
    bool allButtonsEnabled() const {
        for (const auto* button :
             {&window.cmdSTART, &window.cmdSTOP, &window.cmdRESULT, &window.cmdCOND, &window.cmdEND,
              &window.cmdREAD, &window.cmdCARD}) {
            if (!button->enabled) return false;
        }
        return true;
    }

    QTemporaryDir dir;
    link::SimulatedPump pump;
    link::InMemorySerialPort port{pump};
    RecordingOperator op;
    lang::MessageCatalog catalog;
    ui::MainWindowModel window;
    link::ModelInfo model;
    link::InstrumentLink link{port, pump, op, catalog};
    conditions::ConditionLayouts layouts;
    conditions::ConditionSet conditions;
    rules::ConditionRules rules{window, model, op, catalog};
    conditions::ConditionPanel panel{window, model, rules};
    measurement::ProfileData profile;
    std::string languageCode = "E";
    measurement::MeasurementRun run{{window, link, pump, op, catalog, model, conditions, layouts,
                                     panel, rules, profile, languageCode, folder(),
                                     [] { return std::string("OK"); }, nullptr}};
};

// A scripted instrument that accepts every write command and holds the given
// conditions, results and profiles.
struct ScriptedInstrument {
    ScriptedInstrument() {
        peer.onCommand = [this](const std::string& command, link::Millis now) {
            if (command.starts_with("WR")) peer.sendAt(now + link::Millis{5}, "OK\r");
        };
        peer.on("RDCON00", conditionReply(conditions));
        peer.on("RDRES00", "OK1.23,4.56\r");
        peer.on("RDSTU00", statusReply('0'));
    }
    // The measured blocks, the end of the measured profile, then the evaluation blocks.
    void holdProfiles(const std::vector<std::vector<float>>& measured,
                      const std::vector<std::vector<float>>& evaluation) {
        for (const auto& block : measured) peer.once("RDDTB00", blockReply(block));
        peer.once("RDDTB00", "NG04\r");
        for (const auto& block : evaluation) peer.once("RDDTB00", blockReply(block));
        peer.on("RDDTB00", "NG04\r");
    }
    void holdConditions(const sim::MeasuringConditions& held) {
        conditions = held;
        peer.on("RDCON00", conditionReply(conditions));
    }
    int count(const std::string& command) const {
        return static_cast<int>(std::count(peer.commands.begin(), peer.commands.end(), command));
    }

    ScriptedPeer peer;
    sim::MeasuringConditions conditions;
};

}  // namespace kt520::testing
