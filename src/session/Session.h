#pragma once
// The instrument session: it owns the line to the instrument and runs the
// operator's actions that talk to it, one at a time, each to its end, in the
// order they were asked for. An action that arrives while another runs waits
// its turn; none ever runs inside another. The one exception is Stop during a
// run, which is an interrupt: the run is marked stopped at once, and "WRSTP"
// goes out between two of the run's exchanges, a second after the click.
//
// Everything runs on the one event loop, as coroutines: a wait for the
// instrument suspends the operation and lets the loop go on with clicks,
// timers and repaints. A line that is lost ends the operation in one place
// (performed()), with one message; an internal fault ends the program.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "async/EventLoop.h"
#include "async/Task.h"
#include "async/Worker.h"
#include "card/CardMeasurement.h"
#include "conditions/ConditionLayout.h"
#include "conditions/ConditionPanel.h"
#include "conditions/ConditionSet.h"
#include "lang/InternalFault.h"
#include "lang/MessageCatalog.h"
#include "link/InstrumentLink.h"
#include "link/ModelInfo.h"
#include "link/SerialLine.h"
#include "measurement/DataFiles.h"
#include "measurement/ProfileData.h"
#include "measurement/RunFiles.h"
#include "measurement/RunRecord.h"
#include "session/SessionObserver.h"

namespace kt520::session {

// What the last run did to the instrument: "WRSTA" while a started
// measurement runs, "DRSTA" while existing data are read, "WRSTP" after a
// stop or a failed start; nothing before any run.
enum class RunMode { None, Measuring, Reading, Stopped };
std::string_view runModeText(RunMode mode);

struct Request {
    Action action = Action::ConditionRead;
    int argument = 0;                  // the port for Connect, the button for JogPress, 1 for a
                                       // CardImport with tilt compensation
    async::Millis notBefore{0};        // Stop: when its "WRSTP" may go out
    std::filesystem::path cardFile{};  // CardImport: the measurement's ".SMB" file
};

inline constexpr int kMaxPortNumber = 20;

class Session {
  public:
    struct Parts {
        async::EventLoop& loop;
        async::Worker& worker;  // for the analysis of a run, off the loop's thread
        link::SerialLine& line;
        conditions::ConditionPanel& panel;
        const lang::MessageCatalog& catalog;
        SessionObserver& observer;
        std::filesystem::path dataFolder;
        std::string languageCode;  // "E", "J", or what the language file said
    };

    explicit Session(Parts parts);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    // An action that talks to the instrument: it runs after those before it.
    void post(Request request);
    // The Stop button (see above); outside a run "WRSTP" waits its turn.
    void stop();

    // Nothing runs and nothing waits.
    bool idle() const { return !running_ && queue_.empty(); }
    // A run (Start or Read) runs or waits to run.
    bool runPending() const;
    // After an internal fault nothing more is done.
    bool ended() const { return ended_; }

    link::LinkState linkState() const { return link_.state(); }
    RunMode runMode() const { return runMode_; }
    const link::ModelInfo& model() const { return model_; }
    bool announceConnect() const { return announceConnect_; }
    const conditions::ConditionSet& conditions() const { return conditions_; }
    // Shortens every wait on the instrument (tests of time-outs).
    void setReplyTimeout(async::Millis timeout) { link_.setReplyTimeout(timeout); }

  private:
    enum class Identity { Kt520, Kt210, Other };
    struct Told {
        Identity identity = Identity::Other;
        bool connectedShown = false;  // "Connected to KT-520 " was shown
    };
    // How a run ended, and what the operator was told about it.
    struct RunEnd {
        measurement::RunRecord::Outcome outcome;
        std::string reason;
    };

    // The queue.
    void scheduleNext();
    void runNext();
    void finish(Action action);
    async::Task<void> perform(Request request);
    async::Task<void> dispatch(Request request);
    void lineLost(link::LineFault fault);
    void internalFault(const lang::InternalFault& fault);

    // Connection and identification.
    async::Task<void> search();
    async::Task<void> connect(int portNumber);
    async::Task<Identity> identify();
    async::Task<Told> identifyAndTell();
    async::Task<void> followAnnouncement(Told told);

    // Conditions.
    async::Task<void> conditionRead();
    async::Task<void> readConditionsIfIdle();
    // What the operator was told when the instrument refused the read-back or
    // sent codes the panel has no entry for; none when the panel shows it all.
    async::Task<std::optional<std::string>> readConditionsIntoPanel();
    // Before a run sends the panel: what the operator is told when items of it
    // are not confirmed by the instrument (see ConditionPanel::unconfirmed).
    std::optional<std::string> refuseUnconfirmed();
    async::Task<conditions::ConditionSet> readConditions();
    // The refusal told to the operator, or none when every command was taken.
    async::Task<std::optional<std::string>> sendConditions(const conditions::ConditionState& state);

    // The drive unit.
    async::Task<void> drive(Request request);

    // Runs.
    async::Task<void> start();
    async::Task<void> read();
    async::Task<void> resultRead();
    void beginRun(measurement::RunRecord::Source source);
    // The length checks before Start: what the operator is told when a length is refused.
    std::optional<std::string> refuseLengths();
    async::Task<void> run(bool newMeasurement);
    async::Task<RunEnd> measure(bool newMeasurement, const conditions::ConditionState& state);
    async::Task<std::optional<RunEnd>> startMeasurement();
    async::Task<void> pollUntilIdle();
    async::Task<void> transferProfile(const conditions::ConditionState& state, bool evaluation);
    async::Task<RunEnd> retrieveData(const conditions::ConditionState& state);
    async::Task<void> readResults();
    async::Task<void> writeConditionFile();
    async::Task<void> analyse(measurement::ProfileHeights heights);
    void publishFiles();
    void finishRun(RunEnd end);
    std::string outcomeText() const;

    // The memory-card import (CardImport.cpp).
    async::Task<void> importCard(Request request);
    // The message for a bad card, shown; returns its text.
    std::string tellCardProblem(const card::CardProblem& problem);
    // The twin of identification for a card's model and firmware.
    void configureFromCard(const card::CardHeader& header,
                           const conditions::ConditionLayouts& layouts);

    // Small helpers every operation uses; each message helper returns the text it showed.
    async::Task<link::StatusReply> status();
    // The refusal told to the operator, or none when the command was taken.
    async::Task<std::optional<std::string>> refusalOf(std::string command);
    std::string showRefusal(const std::string& command, const link::Refusal& refusal);
    std::string warn(int message);
    std::string warnText(std::string text);
    std::string inform(int message);
    void setStatusText(int entry);
    bool transferring() const;
    bool inchUnit() const;

    Parts p_;
    link::InstrumentLink link_;
    link::ModelInfo model_;
    conditions::ConditionLayouts layouts_;
    conditions::ConditionSet conditions_;
    measurement::ProfileData profile_;
    measurement::RunFiles files_;
    measurement::RunRecord record_;  // what the run in hand will publish
    RunMode runMode_ = RunMode::None;
    bool announceConnect_ = false;

    std::deque<Request> queue_;
    async::Job current_;
    std::optional<Action> currentAction_;
    bool running_ = false;
    bool ended_ = false;
    async::EventLoop::TimerId scheduled_ = 0;
    // Set by a Stop during the run in hand, so the run's own steps cannot undo it.
    bool stopClicked_ = false;
    // An error reply while polling is told once per run.
    bool pollRefusalShown_ = false;
    // How many points a transfer that overflowed the output line list brought.
    int pointsOverflowed_ = 0;
};

}  // namespace kt520::session
