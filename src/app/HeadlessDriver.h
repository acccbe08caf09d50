#pragma once
// Runs the program without a window: start-up, then a script of operator
// actions read line by line, each delivered once the previous one has
// finished; "after" actions wait in a queue that the event pump delivers when
// their time comes, even in the middle of another action. Everything the
// program shows goes to the event writer as JSON lines (docs/headless.md).
#include <QDateTime>
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <string>

#include "app/ControlRegistry.h"
#include "app/HeadlessOperator.h"
#include "app/MainWindow.h"
#include "app/Script.h"

namespace kt520::app {

// The exit status of the headless program.
enum ExitStatus : int {
    kExitOk = 0,           // the script ended, or the operator's Exit
    kExitEndedItself = 1,  // the program ended on its own (no language file, internal error)
    kExitScriptError = 2,  // a line of the script could not be read or carried out
};

class HeadlessDriver {
  public:
    // `pumpRound` is the pump's per-round hook, which the driver takes over.
    HeadlessDriver(MainWindow& main, link::EventPump& pump, std::function<void()>& pumpRound,
                   HeadlessOperator& op, EventWriter& events);

    // Runs `startUp` (window creation and load), then the script; the exit status.
    int run(const std::function<void()>& startUp, std::istream& script);

  private:
    struct Target {
        ControlRef control;
        bool onCard;
    };

    std::string checkTarget(const ScriptAction& action) const;
    std::optional<Target> resolve(const std::string& name) const;
    void perform(const ScriptAction& action);
    void operate(const ScriptAction& action);
    void waitFor(long long millis);
    void deliverDueActions();
    void dump();
    void reportStatus();
    void reportResults();
    // When each data file was last written, and its size.
    using FileStamp = std::pair<QDateTime, qint64>;
    std::map<std::string, FileStamp> dataFiles() const;
    void reportFiles();
    int endedStatus() const;

    MainWindow& main_;
    link::EventPump& pump_;
    std::function<void()>& pumpRound_;
    HeadlessOperator& operator_;
    EventWriter& events_;
    std::map<std::string, ControlRef> mainControls_;
    std::map<std::string, ControlRef> cardControls_;
    std::multimap<link::Millis, std::shared_ptr<const ScriptAction>> timed_;
    std::string statusShown_;
    std::vector<std::string> resultsShown_;
    std::map<std::string, FileStamp> filesSeen_;
};

}  // namespace kt520::app
