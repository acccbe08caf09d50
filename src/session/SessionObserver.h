#pragma once
// What the instrument session tells the rest of the program. The controller
// implements it (and fills the window's form from it); the tests implement it
// to see exactly what the operator would. Calls come from the session's own
// event loop, in the order things happen; none of them may call back into
// the session's exchange.
#include <string>
#include <vector>

#include "link/InstrumentLink.h"
#include "link/ModelInfo.h"
#include "measurement/RunRecord.h"

namespace kt520::session {

enum class Icon { Stop, Information };

struct Message {
    std::string text;
    std::string title;
    Icon icon = Icon::Stop;
    bool operator==(const Message&) const = default;
};

// What the progress bar shows while profile points are transferred.
struct Progress {
    bool visible = false;
    int maximum = 0;
    int value = 0;
    bool operator==(const Progress&) const = default;
};

// The operator's actions that talk to the instrument, as the session runs them.
enum class Action {
    Search,         // the start-up search of the ports
    Connect,        // the Connect button, on the port chosen
    Start,          // a new measurement
    Read,           // the data of a measurement the instrument already made
    ResultRead,     // the calculated parameters into the status list
    ConditionRead,  // the instrument's conditions onto the panel
    Origin,         // the drive back to its origin
    JogPress,       // a jog button held down (1-4)
    JogRelease,     // a jog button let go
    Stop,           // the Stop button outside a run: "WRSTP" after its second
    CardImport,     // a measurement from the memory card into the data files (no line)
};

class SessionObserver {
  public:
    virtual ~SessionObserver() = default;

    // A message box; the session does not wait for it to be acknowledged.
    virtual void showMessage(const Message& message) = 0;
    // The system beep, and the evaluation length box focused and selected
    // (a length refused before a run).
    virtual void lengthRefused() = 0;
    // The status item lblCMT(4).
    virtual void statusText(const std::string& text) = 0;
    // The status list lstSTATUS.
    virtual void statusList(const std::vector<std::string>& lines) = 0;
    virtual void progress(const Progress& progress) = 0;

    // An identification read the instrument (whatever its model).
    virtual void identified(const link::ModelInfo& model, bool isKt520) = 0;
    // A port was opened and identified (`found`), or the connection failed.
    virtual void connected(int portNumber, link::LinkState state) = 0;

    // An action began or ended (the search, a run, a jog press ...).
    virtual void actionStarted(Action action) = 0;
    virtual void actionEnded(Action action) = 0;
    // A run (Start or Read) took the window busy, or gave it back.
    virtual void runBusy(bool busy) = 0;
    // A run published its files.
    virtual void runEnded(const measurement::RunRecord& record) = 0;
    // The program must end: an internal fault, after its message.
    virtual void programEnds() = 0;
};

}  // namespace kt520::session
