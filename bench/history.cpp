// The history's two costs an operator feels: storing a 30000-point run (its
// transaction, on the history's thread, with the file synced) and opening the
// history window on 10 000 stored runs until the list is shown. Prints the
// median and the slowest of the repetitions.
//   bench_history [RUNS]   (RUNS: runs in the database for the window, 10000)
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/RunKeeper.h"
#include "history/HistoryDatabase.h"
#include "support/NullFrontend.h"
#include "ui/desktop/HistoryDialog.h"
#include "ui/desktop/RunListModel.h"

using namespace kt520;

namespace {

history::StoredRun longRun(std::size_t points, int minute) {
    measurement::RunRecord record;
    record.finishedAt =
        std::chrono::system_clock::time_point(std::chrono::minutes(29'000'000 + minute));
    record.outcome = measurement::RunRecord::Outcome::Written;
    record.conditions.fields = {"", "1", "3", "0", "2"};
    record.listing = {"CUT 0.8mm", "SCT 3", "CUV R", "FLT 2CR", "STD ISO 1997"};
    record.results = {"0.726", "3.888", "3.777", "0.858"};
    for (const char* name : {"Ra", "Rq", "Rz", "Rp", "Rv", "Rt", "Rsk", "Rku", "RSm"})
        record.analysis.push_back({name, 0.5 + 0.001 * minute, "um", "ISO 4287:1997"});
    for (std::size_t i = 0; i < points; ++i)
        record.measured.push_back(std::sin(0.013 * static_cast<double>(i)));
    record.evaluation.assign(record.measured.begin(), record.measured.begin() + points / 2);
    const std::vector<quality::Tolerance> limits{
        {"Shaft", "Ra", {std::nullopt, 0.8, quality::Rule::SixteenPercent}}};
    return history::storedRunOf(record, {"Shaft", "L-" + std::to_string(minute % 50), "Kim"},
                                {"KT520", 1311, 50, 3}, quality::judge(record.analysis, limits));
}

void print(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.1f ms, slowest %7.1f ms (%zu times)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

// Each store through the history's thread, from the call to its answer.
std::vector<double> storeTimes(history::History& history, int repetitions) {
    std::vector<double> ms;
    for (int r = 0; r < repetitions; ++r) {
        const history::StoredRun run = longRun(30000, r);
        bool answered = false;
        QElapsedTimer clock;
        clock.start();
        history.store(run, [&](const history::StoreOutcome&) { answered = true; });
        while (!answered) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir folder;
    const QString file = folder.filePath(history::kHistoryFileName);
    {
        // Filled directly, with short profiles: the list reads no profile.
        history::HistoryDatabase database(history::sqliteTarget(file));
        if (database.open() != history::HistoryDatabase::Opened::Ready) return 1;
        for (int r = 0; r < runs; ++r)
            if (!database.store(longRun(200, r))) return std::puts(database.error().c_str()), 1;
    }
    history::History history(history::sqliteTarget(file), folder.path().toStdString());
    history.open();
    print("store a 30000-point run", storeTimes(history, 20));

    test::NullFrontend frontend;
    app::RunKeeper keeper(history, frontend, [] { return false; });
    std::vector<double> ms;
    for (int r = 0; r < 5; ++r) {
        QElapsedTimer clock;
        clock.start();
        ui::desktop::HistoryDialog dialog(keeper, folder.path().toStdString(), false);
        dialog.show();
        bool shown = false;
        dialog.refreshRuns([&] { shown = true; });
        while (!shown) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();  // the list painted
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (dialog.runs()->rowCount() < runs) return std::puts("the list is short"), 1;
    }
    print(("open the history window on " + std::to_string(runs + 20) + " runs").c_str(), ms);
    return 0;
}
