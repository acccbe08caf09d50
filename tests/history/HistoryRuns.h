#pragma once
// Made-up runs for the history's tests, and where the database under test is:
// an SQLite file, or the PostgreSQL server that scripts/postgres-tests.sh
// starts (its URL in KT520_TEST_POSTGRES_URL).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "history/StoredRun.h"
#include "quality/Verdict.h"

namespace kt520::history::test {

// Judged against an upper Ra limit of 1.0 and, with `limitRmr`, a lower Rmr
// limit that the run does not give (so it is NG whatever its Ra).
inline StoredRun madeUpRun(const std::string& part, double ra, std::size_t points,
                           std::int64_t minute = 0, bool limitRmr = true) {
    measurement::RunRecord record;
    record.finishedAt =
        std::chrono::system_clock::time_point(std::chrono::minutes(29'000'000 + minute));
    record.outcome = measurement::RunRecord::Outcome::Written;
    record.samplingPitchText = "0.50";
    record.conditions.fields = {"", "1", "3", "0", "2"};
    record.conditions.evaluationLengthText = "4.0";
    record.listing = {"CUT 0.8mm", "SCT 3"};
    record.results = {"0.512", "3.25", "NG"};
    record.analysis = {{"Ra", ra, "um", "ISO 4287:1997"}, {"Rsk", -0.25, "", "ISO 4287:1997"}};
    for (std::size_t i = 0; i < points; ++i) {
        record.measured.push_back(std::sin(0.01 * static_cast<double>(i)) +
                                  1e-7 * static_cast<double>(i));
        record.evaluation.push_back(std::cos(0.02 * static_cast<double>(i)));
    }
    record.evaluation.resize(points / 2);
    std::vector<quality::Tolerance> limits{
        {part, "Ra", {std::nullopt, 1.0, quality::Rule::SixteenPercent}}};
    if (limitRmr) limits.push_back({part, "Rmr", {10.0, std::nullopt, quality::Rule::Max}});
    return storedRunOf(record, {part, "lot-1", "Kim"}, {"KT520", 1311, 50, 3},
                       quality::judge(record.analysis, limits));
}

inline const char* postgresUrl() {
    return std::getenv("KT520_TEST_POSTGRES_URL");
}

// Runs statements on the test server as its administrator, outside the history.
inline bool onServer(const QStringList& statements) {
    bool ok = true;
    {
        const QUrl url(QString::fromUtf8(postgresUrl()));
        QSqlDatabase admin = QSqlDatabase::addDatabase("QPSQL", "kt520-test-admin");
        admin.setHostName(url.host());
        admin.setPort(url.port(5432));
        admin.setDatabaseName(url.path().mid(1));
        admin.setUserName(url.userName());
        admin.setPassword(url.password());
        ok = admin.open();
        QSqlQuery query(admin);
        for (const QString& statement : statements) ok = ok && query.exec(statement);
        admin.close();
    }
    QSqlDatabase::removeDatabase("kt520-test-admin");
    return ok;
}

// A QCoreApplication for the history's thread to post its answers to.
inline void needApplication() {
    static int argc = 1;
    static char name[] = "test_history";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

// Runs the event loop until `done` holds or `ms` have passed.
inline bool waitFor(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

}  // namespace kt520::history::test
