// Runs back to back against the simulated instrument: every run publishes
// its four files whole and new, and the memory the process holds stays flat.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "FaultRig.h"

namespace kt520::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kUnderAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// Growth the allocator may show without a leak (its arenas settle in steps).
constexpr long kSoakMemoryToleranceKb = 2048;

// VmRSS from /proc/self/status in kB; 0 where there is no such file.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    return 0;
}

TEST(Soak, RunsBackToBackWriteWholeFilesAndKeepMemoryFlat) {
    // KT520_SOAK_RUNS overrides the count for longer soaks.
    const char* runsText = std::getenv("KT520_SOAK_RUNS");
    const int runs = runsText != nullptr && std::atoi(runsText) > 0 ? std::atoi(runsText) : 200;
    SessionRig rig;
    rig.connect();
    // One sampling length: a third of the points, so that the simulated
    // instrument's filtering does not dominate the soak's time.
    rig.panel.click(conditions::Item::Sections, 1);
    // The first runs grow the caches and buffers that later runs reuse.
    for (int i = 0; i < 5; ++i) rig.act(Action::Start);
    const long rssBefore = residentKilobytes();

    std::vector<double> previous = rig.observer.published.back().evaluation;
    for (int run = 1; run <= runs; ++run) {
        // Only what the rig itself records may grow: the line's copy of every byte sent.
        rig.observer.published.clear();
        rig.observer.runs.clear();
        rig.observer.statuses.clear();
        rig.tap.sent.clear();
        ASSERT_TRUE(startsCleanly(rig)) << "run " << run;
        // The stylus noise is new every run, so every run's profile differs.
        ASSERT_NE(rig.observer.published.back().evaluation, previous) << "run " << run;
        previous = rig.observer.published.back().evaluation;
    }

    const long rssAfter = residentKilobytes();
    std::printf("soak: %d runs, resident memory %ld kB before, %ld kB after\n", runs, rssBefore,
                rssAfter);
    // The sanitizer's quarantine holds freed memory, and some systems have no figure.
    EXPECT_TRUE(kUnderAddressSanitizer || rssBefore <= 0 ||
                rssAfter - rssBefore < kSoakMemoryToleranceKb)
        << rssAfter - rssBefore << " kB more";
}

}  // namespace
}  // namespace kt520::testing
