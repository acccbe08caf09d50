#pragma once
// Runs the program without a window: start-up, then a script of operator
// actions read line by line, each delivered once the operation it started
// has ended; "after" actions are delivered at their time, even while another
// operation runs. Everything the program shows goes out as JSON lines
// (docs/headless.md). The driver is a frontend like the window: it operates
// the form's controls by name and never reaches into the session.
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ControlRegistry.h"
#include "app/Controller.h"
#include "app/EventWriter.h"
#include "app/Frontend.h"
#include "app/RunKeeper.h"
#include "app/Script.h"
#include "async/EventLoop.h"

namespace kt520::app {

// The exit status of the headless program.
enum ExitStatus : int {
    kExitOk = 0,           // the script ended, or the operator's Exit
    kExitEndedItself = 1,  // the program ended on its own (no language file, internal error)
    kExitScriptError = 2,  // a line of the script could not be read or carried out
};

class HeadlessDriver : public Frontend {
  public:
    HeadlessDriver(async::EventLoop& loop, EventWriter& events, std::istream& script);

    // Starts `controller` and then the script; `finished` gets the exit status
    // once the program has ended (it is called exactly once).
    void run(Controller& controller, std::function<void(int)> finished);

    // The keeper that the history lines (part, tolerance, report, ...) act on.
    void setKeeper(RunKeeper* keeper) { keeper_ = keeper; }

    // Frontend
    void formChanged() override;
    void showMessage(const session::Message& message) override;
    void beep() override;
    void runEnded(const measurement::RunRecord& record) override;
    void sessionIdle() override;
    void runJudged(const quality::RunJudgement& judgement) override;
    void runStored(const history::StoreOutcome& outcome) override;
    void cardDialogOpened() override {}
    void programEnds(bool byOperator) override;

  private:
    struct Target {
        ControlRef control;
        bool onCard;
    };
    enum class Waiting { Nothing, Operation, Timer, History };

    void continueScript();
    void nextLines();
    bool perform(const ScriptAction& action);
    std::string checkTarget(const ScriptAction& action) const;
    std::optional<Target> resolve(const std::string& name) const;
    void operate(const ScriptAction& action);
    // "card PATH": READ on the card dialog for that file; false while the import runs.
    bool importCard(const ScriptAction& action);
    void dump();
    void reportStatus();
    void reportResults();
    void finish(int status);
    // HeadlessHistory.cpp: the history's lines; false when the line waits or failed.
    bool performHistory(const ScriptAction& action);
    void historyLineFailed(const std::string& error);
    bool storing() const { return keeper_ != nullptr && keeper_->history().pendingStores() > 0; }

    async::EventLoop& loop_;
    EventWriter& events_;
    std::istream& script_;
    Controller* controller_ = nullptr;
    RunKeeper* keeper_ = nullptr;
    std::function<void(int)> finished_;
    std::map<std::string, ControlRef> mainControls_;
    std::map<std::string, ControlRef> cardControls_;
    std::vector<async::EventLoop::TimerId> timed_;
    Waiting waiting_ = Waiting::Nothing;
    async::EventLoop::TimerId continuing_ = 0;
    int lineNumber_ = 0;
    bool done_ = false;
    std::string statusShown_;
    std::vector<std::string> resultsShown_;
};

}  // namespace kt520::app
