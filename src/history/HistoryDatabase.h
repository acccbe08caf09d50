#pragma once
// One connection to the history's database and every operation on it, each
// complete or not done at all (a run is stored in one transaction). A
// connection belongs to the thread that made it: the history's own thread,
// or a tool's or a test's.
#include <QSqlDatabase>
#include <optional>
#include <string>
#include <vector>

#include "history/HistoryTarget.h"
#include "history/StoredRun.h"
#include "quality/Tolerance.h"

namespace kt520::history {

// One value of a parameter over the runs, in the limits' unit.
struct SeriesPoint {
    RunId id = 0;
    std::chrono::system_clock::time_point finishedAt;
    double value = 0;
};

class HistoryDatabase {
  public:
    enum class Opened {
        Ready,
        Damaged,      // the file is there but is no readable database
        Unavailable,  // it cannot be opened or created, or the server does not answer
    };

    explicit HistoryDatabase(Target target);
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;
    ~HistoryDatabase();

    // Connects and makes the tables that are missing.
    [[nodiscard]] Opened open();
    void close();
    [[nodiscard]] bool isOpen() const;
    const Target& target() const { return target_; }
    // What went wrong last, for a message.
    const std::string& error() const { return error_; }

    // The run's id; a run whose uid is stored already is not stored again.
    [[nodiscard]] std::optional<RunId> store(const StoredRun& run);
    [[nodiscard]] std::optional<StoredRun> load(RunId id);
    // Newest first.
    [[nodiscard]] std::optional<std::vector<RunSummary>> list(const RunFilter& filter);
    // The runs as CSV, newest first (historyCsv).
    [[nodiscard]] std::optional<std::string> exportCsv(const RunFilter& filter);
    // Oldest first: the order a queue is emptied in.
    [[nodiscard]] std::optional<std::vector<RunId>> ids();
    [[nodiscard]] bool remove(const std::vector<RunId>& ids);

    [[nodiscard]] std::optional<std::vector<quality::Tolerance>> tolerances();
    [[nodiscard]] bool setTolerance(const quality::Tolerance& tolerance);
    [[nodiscard]] bool removeTolerance(const std::string& part, const std::string& parameter);

    // The names of the analysed parameters of the runs, in their first order.
    [[nodiscard]] std::optional<std::vector<std::string>> parameterNames(const RunFilter& filter);
    // Oldest first.
    [[nodiscard]] std::optional<std::vector<SeriesPoint>> series(const std::string& parameter,
                                                                 const RunFilter& filter);

  private:
    bool fail(const class QSqlQuery& query);
    bool fail(const QSqlDatabase& database);

    Target target_;
    QString connection_;
    std::string error_;
};

}  // namespace kt520::history
