#pragma once
// The measurement history as the program uses it: every call returns at once
// and the database work is done on the history's own thread, which owns the
// connection; what comes back is delivered on the calling (the event loop's)
// thread. Nothing is lost: a damaged SQLite file is set aside and a new one
// started; runs that a PostgreSQL server cannot take wait in a queue file in
// the data folder and are stored, in order, once it answers again; a run the
// database cannot take is reported, and its CSV files are written as ever.
#include <QObject>
#include <QThread>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/HistoryDatabase.h"
#include "history/HistoryNote.h"
#include "history/StoredRun.h"
#include "quality/Tolerance.h"

namespace kt520::history {

class HistoryThread;

struct StoreOutcome {
    enum class State { Stored, Queued, Failed };
    State state = State::Failed;
    RunId id = 0;     // Stored: the run's id in the history
    std::string uid;  // the run's uid
};

class History : public QObject {
  public:
    // `target`: history.sqlite in the data folder, or a server (then the
    // queue file is made in `dataFolder`, and a server that does not answer
    // is tried again every `retry`).
    History(Target target, std::string dataFolder,
            std::chrono::milliseconds retry = std::chrono::seconds(5));
    History(const History&) = delete;
    History& operator=(const History&) = delete;
    // Stores what is still queued for the thread, then ends it.
    ~History() override;

    // Opens the database (setting a damaged file aside) and reads the tolerances.
    void open();
    const Target& target() const { return target_; }

    void store(StoredRun run, std::function<void(const StoreOutcome&)> done);
    // Stores handed over and not yet done.
    int pendingStores() const { return pendingStores_; }

    // Any other work on the database, on its thread; `done` gets the result
    // here. The work sees an open database, or one it could not open (its
    // operations then fail with the reason in error()).
    template <typename R>
    void query(std::function<R(HistoryDatabase&)> work, std::function<void(R)> done) {
        auto result = std::make_shared<std::optional<R>>();
        onThread([result,
                  work = std::move(work)](HistoryDatabase& database) { *result = work(database); },
                 [result, done = std::move(done)] { done(std::move(**result)); });
    }

    // The tolerances as last read or set (the verdict of a run needs them at once).
    const std::vector<quality::Tolerance>& tolerances() const { return tolerances_; }
    void setTolerance(const quality::Tolerance& tolerance);
    void removeTolerance(const std::string& part, const std::string& parameter);
    // Reads them again (another station may have changed them); `done` follows.
    void reloadTolerances(std::function<void()> done = {});

    // What the history tells the operator.
    std::function<void(const HistoryNote&)> onNote;

  private:
    void onThread(std::function<void(HistoryDatabase&)> work, std::function<void()> done);
    void note(const HistoryNote& note);

    Target target_;
    QThread thread_;
    HistoryThread* worker_;  // lives on thread_
    std::vector<quality::Tolerance> tolerances_;
    int pendingStores_ = 0;
    int toleranceChanges_ = 0;  // a read begun before a change must not undo it
};

}  // namespace kt520::history
