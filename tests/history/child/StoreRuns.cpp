// history-store-child FILE: stores runs of 30000 points into the SQLite file
// FILE one after another, printing "stored N" after each, until it is killed.
#include <cstdio>

#include "../HistoryRuns.h"
#include "history/HistoryDatabase.h"

int main(int argc, char** argv) {
    using namespace kt520::history;
    if (argc != 2) return 2;
    HistoryDatabase database(sqliteTarget(QString::fromLocal8Bit(argv[1])));
    if (database.open() != HistoryDatabase::Opened::Ready) return 1;
    for (int n = 1;; ++n) {
        if (!database.store(test::madeUpRun("P", 0.5, 30000, n))) return 1;
        std::printf("stored %d\n", n);
        std::fflush(stdout);
    }
}
