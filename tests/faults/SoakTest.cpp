// Runs back to back against the simulated instrument: every run's four files
// are complete and new, and the memory the program holds stays flat.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "FaultRig.h"
#include "SoakMemory.h"

namespace kt520::testing {
namespace {

// KT520_SOAK_RUNS overrides the count for longer soaks.
int soakRuns() {
    const char* text = std::getenv("KT520_SOAK_RUNS");
    const int runs = text != nullptr ? std::atoi(text) : 0;
    return runs > 0 ? runs : 200;
}

TEST(Soak, RunsBackToBackWriteWholeFilesAndKeepMemoryFlat) {
    const int runs = soakRuns();
    FaultRig rig;
    // One sampling length: a third of the points of the default three, so that
    // the simulated instrument's filtering does not dominate the soak's time.
    rig.main->window().optSCT.click(1);
    // Warm up: the first runs grow the caches and buffers that later runs reuse.
    for (int i = 0; i < 5; ++i) rig.startRun();
    const long rssBefore = residentKilobytes();

    std::string previous = rig.dataFiles()["Evaluation.csv"];
    for (int run = 1; run <= runs; ++run) {
        const ClickOutcome outcome = rig.startRun();
        ASSERT_FALSE(outcome.programEnded) << "run " << run;
        ASSERT_FALSE(outcome.stopPressed) << "run " << run;
        ASSERT_TRUE(rig.op.messages.empty()) << "run " << run << ": " << rig.op.messages[0].text;
        const auto files = rig.dataFiles();
        ASSERT_TRUE(completeRunFiles(files)) << "run " << run;
        // The stylus noise is new every run, so every run's profile differs.
        ASSERT_NE(files.at("Evaluation.csv"), previous) << "run " << run << " wrote nothing";
        previous = files.at("Evaluation.csv");
        rig.main->window().lstSTATUS.items.clear();
    }

    const long rssAfter = residentKilobytes();
    std::printf("soak: %d runs, resident memory %ld kB before, %ld kB after\n", runs, rssBefore,
                rssAfter);
    RecordProperty("runs", runs);
    RecordProperty("rss_before_kb", static_cast<int>(rssBefore));
    RecordProperty("rss_after_kb", static_cast<int>(rssAfter));
    // The sanitizer's quarantine holds freed memory, and some systems have no figure.
    if (kUnderAddressSanitizer || rssBefore <= 0) {
        std::printf("soak: memory not judged here\n");
        return;
    }
    EXPECT_LT(rssAfter - rssBefore, kSoakMemoryToleranceKb);
}

}  // namespace
}  // namespace kt520::testing
