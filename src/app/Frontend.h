#pragma once
// What shows the program to the operator: the Qt window, or the headless
// driver's JSON events. The controller tells it; it never calls back into
// the instrument session directly, only through the form's controls.
#include "history/History.h"
#include "measurement/RunRecord.h"
#include "quality/Judgement.h"
#include "session/SessionObserver.h"

namespace kt520::app {

class Frontend {
  public:
    virtual ~Frontend() = default;
    // The form changed; show it again (a frontend may gather several changes).
    virtual void formChanged() = 0;
    virtual void showMessage(const session::Message& message) = 0;
    virtual void beep() = 0;
    // A run published its files (and shows its data).
    virtual void runEnded(const measurement::RunRecord& record) = 0;
    // A run the history keeps: its verdict and the part's acceptance so far.
    virtual void runJudged(const quality::RunJudgement&) {}
    // The history stored it (or queued it for a server that does not answer, or could not).
    virtual void runStored(const history::StoreOutcome&) {}
    // Nothing runs and nothing waits for the instrument.
    virtual void sessionIdle() = 0;
    // The card dialog opens: show it modally until the card form is closed.
    virtual void cardDialogOpened() = 0;
    // The program ends: the operator's Exit (`byOperator`) or on its own.
    virtual void programEnds(bool byOperator) = 0;
};

}  // namespace kt520::app
