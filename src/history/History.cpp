#include "history/History.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <optional>

namespace kt520::history {

// The history's side of the thread: the connection, the queue file of a
// server that does not answer, and the timer that tries the server again.
class HistoryThread : public QObject {
  public:
    HistoryThread(Target target, std::string dataFolder, std::chrono::milliseconds retry,
                  std::function<void(const HistoryNote&)> note)
        : target_(std::move(target)),
          dataFolder_(std::move(dataFolder)),
          note_(std::move(note)),
          retry_(this) {  // a child, so that it moves to the history's thread with its owner
        retry_.setInterval(retry);
        connect(&retry_, &QTimer::timeout, this, [this] { tryServer(); });
    }

    void open() {
        database_.emplace(target_);
        if (target_.dialect == Dialect::SQLite) {
            openFile(*database_);
            return;
        }
        queue_.emplace(
            sqliteTarget(QDir(QString::fromStdString(dataFolder_)).filePath(kQueueFileName)));
        openFile(*queue_);
        if (database_->open() != HistoryDatabase::Opened::Ready) {
            serverLost();
            return;
        }
        emptyQueue();
    }

    StoreOutcome store(const StoredRun& run) {
        if (!database_) open();
        // A file that could not be opened is tried again; the run's own message
        // follows, so the operator is not told twice.
        if (!database_->isOpen() && target_.dialect == Dialect::SQLite) openFile(*database_, false);
        if (database_->isOpen() && !waiting()) {
            if (const auto id = database_->store(run))
                return {StoreOutcome::State::Stored, *id, run.uid};
            if (target_.dialect == Dialect::SQLite) {
                note_({HistoryNote::Kind::CannotStore, target_.display().toStdString(),
                       database_->error()});
                return {StoreOutcome::State::Failed, 0, run.uid};
            }
            database_->close();
            serverLost();
        }
        if (queue_ && queue_->isOpen() && queue_->store(run))
            return {StoreOutcome::State::Queued, 0, run.uid};
        note_({HistoryNote::Kind::CannotStore, target_.display().toStdString(),
               queue_ ? queue_->error() : database_->error()});
        return {StoreOutcome::State::Failed, 0, run.uid};
    }

    HistoryDatabase& database() {
        if (!database_) open();
        if (!database_->isOpen()) (void)database_->open();
        return *database_;
    }

    void shutdown() {
        retry_.stop();
        database_.reset();
        queue_.reset();
    }

  private:
    bool waiting() const { return retry_.isActive(); }

    // Opens an SQLite file; a damaged one is renamed (its name kept, a time
    // stamp added) and a new one made in its place.
    void openFile(HistoryDatabase& database, bool tellUnavailable = true) {
        const auto opened = database.open();
        if (opened == HistoryDatabase::Opened::Ready) return;
        const QString display = database.target().display();
        if (opened == HistoryDatabase::Opened::Unavailable) {
            if (tellUnavailable)
                note_({HistoryNote::Kind::CannotOpen, display.toStdString(), database.error()});
            return;
        }
        database.close();
        const QString file = database.target().file;
        const QString aside =
            file + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
        if (!QFile::rename(file, aside)) {
            note_({HistoryNote::Kind::CannotOpen, display.toStdString(), database.error()});
            return;
        }
        for (const char* companion : {"-wal", "-shm", "-journal"})
            if (QFileInfo::exists(file + companion))
                QFile::rename(file + companion, aside + companion);
        note_({HistoryNote::Kind::Damaged, display.toStdString(),
               QFileInfo(aside).fileName().toStdString()});
        if (database.open() != HistoryDatabase::Opened::Ready)
            note_({HistoryNote::Kind::CannotOpen, display.toStdString(), database.error()});
    }

    void serverLost() {
        if (waiting()) return;
        note_({HistoryNote::Kind::ServerLost, target_.display().toStdString(), database_->error()});
        retry_.start();
    }

    void tryServer() {
        if (database_->open() != HistoryDatabase::Opened::Ready) return;
        retry_.stop();
        const int stored = emptyQueue();
        if (!retry_.isActive())
            note_({HistoryNote::Kind::ServerBack, target_.display().toStdString(), {}, stored});
    }

    // Moves the queued runs to the server, oldest first; each leaves the queue
    // once the server holds it (a run stored twice is recognised by its uid).
    int emptyQueue() {
        int moved = 0;
        const auto ids = queue_ && queue_->isOpen() ? queue_->ids() : std::nullopt;
        for (RunId id : ids.value_or(std::vector<RunId>{})) {
            const auto run = queue_->load(id);
            if (!run) break;
            if (!database_->store(*run)) {
                database_->close();
                serverLost();
                break;
            }
            if (!queue_->remove({id})) break;
            ++moved;
        }
        return moved;
    }

    Target target_;
    std::string dataFolder_;
    std::function<void(const HistoryNote&)> note_;
    std::optional<HistoryDatabase> database_;
    std::optional<HistoryDatabase> queue_;
    QTimer retry_;
};

History::History(Target target, std::string dataFolder, std::chrono::milliseconds retry)
    : target_(std::move(target)) {
    worker_ =
        new HistoryThread(target_, std::move(dataFolder), retry, [this](const HistoryNote& n) {
            QMetaObject::invokeMethod(
                this, [this, n] { note(n); }, Qt::QueuedConnection);
        });
    worker_->moveToThread(&thread_);
    thread_.setObjectName("kt520-history");
    thread_.start();
}

History::~History() {
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_] {
            worker->shutdown();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    thread_.wait();
    delete worker_;
}

void History::note(const HistoryNote& n) {
    if (onNote) onNote(n);
}

void History::open() {
    QMetaObject::invokeMethod(
        worker_, [worker = worker_] { worker->open(); }, Qt::QueuedConnection);
    reloadTolerances();
}

void History::onThread(std::function<void(HistoryDatabase&)> work, std::function<void()> done) {
    QMetaObject::invokeMethod(
        worker_,
        [this, worker = worker_, work = std::move(work), done = std::move(done)]() mutable {
            work(worker->database());
            QMetaObject::invokeMethod(this, std::move(done), Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void History::store(StoredRun run, std::function<void(const StoreOutcome&)> done) {
    ++pendingStores_;
    auto outcome = std::make_shared<StoreOutcome>();
    auto shared = std::make_shared<StoredRun>(std::move(run));
    QMetaObject::invokeMethod(
        worker_,
        [this, worker = worker_, shared, outcome, done = std::move(done)]() mutable {
            *outcome = worker->store(*shared);
            shared.reset();  // the profiles go on the history's thread, not the window's
            QMetaObject::invokeMethod(
                this,
                [this, outcome, done = std::move(done)] {
                    --pendingStores_;
                    if (done) done(*outcome);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void History::setTolerance(const quality::Tolerance& tolerance) {
    std::erase_if(tolerances_, [&](const quality::Tolerance& t) {
        return t.part == tolerance.part && t.parameter == tolerance.parameter;
    });
    tolerances_.push_back(tolerance);
    ++toleranceChanges_;
    query<bool>([tolerance](HistoryDatabase& db) { return db.setTolerance(tolerance); },
                [](bool) {});
}

void History::removeTolerance(const std::string& part, const std::string& parameter) {
    std::erase_if(tolerances_, [&](const quality::Tolerance& t) {
        return t.part == part && t.parameter == parameter;
    });
    ++toleranceChanges_;
    query<bool>(
        [part, parameter](HistoryDatabase& db) { return db.removeTolerance(part, parameter); },
        [](bool) {});
}

void History::reloadTolerances(std::function<void()> done) {
    query<std::optional<std::vector<quality::Tolerance>>>(
        [](HistoryDatabase& db) { return db.tolerances(); },
        [this, changes = toleranceChanges_,
         done = std::move(done)](std::optional<std::vector<quality::Tolerance>> read) {
            if (read && changes == toleranceChanges_) tolerances_ = std::move(*read);
            if (done) done();
        });
}

}  // namespace kt520::history
