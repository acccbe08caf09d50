#pragma once
// The measurement run and the buttons that start, read, stop and read results.
//
// What the application wires (it owns every instance; this class keeps
// references only):
//   - MeasurementRun::Parts: the window model, the one link and its event
//     pump, the operator, the catalog, ModelInfo, the window's ConditionSet
//     and layouts, the condition panel and rules, the output line list
//     (ProfileData), the language code and the data folder;
//   - announceIdentification: the application's identify-and-tell step
//     (returns "OK", "NG", "NON", "KT210"); onIdentified runs after it said
//     "OK" (the application clears its announceConnect flag there);
//   - installHandlers() binds cmdSTART, cmdREAD, cmdSTOP and cmdRESULT.
//
// A run keeps the window busy (only Stop usable) from its first check to its
// end. Its data files are staged and published together when the run ends;
// a run that loses the line (a reply that does not come within the link's
// bound, the port closing, a command refused on a failed link) is abandoned
// after the link's message: it writes no file, the previous run's files stay
// as they were, and runMode becomes "WRSTP".
#include <filesystem>
#include <functional>
#include <string>

#include "conditions/ConditionLayout.h"
#include "conditions/ConditionPanel.h"
#include "conditions/ConditionSet.h"
#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/EventPump.h"
#include "link/InstrumentLink.h"
#include "link/ModelInfo.h"
#include "measurement/ProfileData.h"
#include "measurement/RunFiles.h"
#include "rules/ConditionRules.h"
#include "ui/MainWindowModel.h"

namespace kt520::measurement {

enum class RunKind { NewMeasurement = 0, ExistingData = 1 };

class MeasurementRun {
  public:
    struct Parts {
        ui::MainWindowModel& window;
        link::InstrumentLink& link;
        link::EventPump& pump;
        lang::Operator& op;
        const lang::MessageCatalog& catalog;
        const link::ModelInfo& model;
        conditions::ConditionSet& conditions;
        conditions::ConditionLayouts& layouts;
        conditions::ConditionPanel& panel;
        rules::ConditionRules& rules;
        ProfileData& profile;
        const std::string& languageCode;
        std::filesystem::path dataFolder;
        std::function<std::string()> announceIdentification;
        std::function<void()> onIdentified;
    };

    explicit MeasurementRun(Parts parts);

    void installHandlers();

    // cmdSTART: identify again, check an arbitrary length, then measure.
    void start();
    // cmdREAD: fetch the data of a measurement the instrument already made.
    void read();
    // cmdSTOP: ends a running measurement at its next check.
    void stop();
    // cmdRESULT: the calculated parameters into lstSTATUS; writes no file.
    void resultRead();

    void runMeasurement(RunKind kind);

    // "WRSTA" while a started measurement runs, "DRSTA" while existing data
    // are read, "WRSTP" after a stop or a failed start; empty before any run.
    std::string runMode;

  private:
    void measure(RunKind kind);
    bool startMeasurement();
    void sendChannelCommand(const char* command);
    void readConditionsIntoPanel();
    void fetchProfile();
    void pollUntilIdle();
    void retrieveData();
    void writeConditionFile();
    void convertToMicroinches();
    void publishFiles();

    // Ends the run when the last exchange lost the line (the link has told the operator).
    void ensureLine() const;
    std::string status(int position);
    bool transferring() const { return runMode == "WRSTA" || runMode == "DRSTA"; }
    bool inchUnit() const;
    void warn(int message);
    [[noreturn]] void internalError();

    Parts p_;
    RunFiles files_;
};

}  // namespace kt520::measurement
