// A program killed while it stores a run leaves a readable history that
// holds each run whole or not at all.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <random>

#include "history/HistoryDatabase.h"

namespace kt520::history {
namespace {

TEST(KillWhileStoring, LeavesEveryRunWholeOrAbsent) {
    QTemporaryDir dir;
    const QString file = dir.filePath("history.sqlite");
    std::mt19937 random(7);
    for (int kill = 0; kill < 4; ++kill) {
        QProcess child;
        child.start(KT520_BINARY_DIR "/bin/history-store-child", {file});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(20000)) << "the child stored nothing";
        // The child spends its time inside store(): a kill at a random moment
        // lands in the middle of a transaction.
        QThread::msleep(std::uniform_int_distribution<int>(1, 40)(random));
        child.kill();
        ASSERT_TRUE(child.waitForFinished());
    }
    HistoryDatabase database(sqliteTarget(file));
    ASSERT_EQ(database.open(), HistoryDatabase::Opened::Ready) << database.error();
    const auto runs = database.list({}).value();
    ASSERT_GE(runs.size(), 4u);
    for (const RunSummary& summary : runs) {
        const auto run = database.load(summary.id);
        ASSERT_TRUE(run);
        EXPECT_EQ(run->measured.size(), 30000u);
        EXPECT_EQ(run->evaluation.size(), 15000u);
        EXPECT_EQ(run->verdict.parameters.size(), 3u);
    }
    QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "kill-test-check");
    raw.setDatabaseName(file);
    ASSERT_TRUE(raw.open());
    QSqlQuery check(raw);
    ASSERT_TRUE(check.exec("PRAGMA integrity_check") && check.next());
    EXPECT_EQ(check.value(0).toString(), "ok");
    ASSERT_TRUE(check.exec("SELECT count(*) FROM profiles") && check.next());
    EXPECT_EQ(check.value(0).toULongLong(), 2 * runs.size());  // no profile without its run
}

}  // namespace
}  // namespace kt520::history
