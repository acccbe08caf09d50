// Times the profile routines on a full profile buffer of 30000 points.
// Run: cmake --build build --target bench_profile_filters && build/bin/bench_profile_filters
#include <chrono>
#include <cstdio>
#include <string>

#include "profile/NumberText.h"
#include "profile/ProfileFilters.h"

namespace {

using kt520::profile::TextList;
constexpr int kPoints = 30000;
constexpr int kRounds = 20;

// A tilted sine-like profile written with a decimal comma, as a card gives it.
TextList profileWithCommas() {
    TextList list(1);
    for (int i = 1; i <= kPoints; ++i) {
        std::string text = kt520::profile::numberText(0.001f * i + ((i % 7) - 3) * 0.25f);
        for (char& c : text) {
            if (c == '.') c = ',';
        }
        list.push_back(text);
    }
    return list;
}

// Times work(list) on a fresh copy of input in every round; the copy is not timed.
template <typename Work>
void time(const char* name, const TextList& input, Work work) {
    std::chrono::duration<double, std::milli> elapsed{};
    for (int round = 0; round < kRounds; ++round) {
        TextList list = input;
        const auto start = std::chrono::steady_clock::now();
        work(list);
        elapsed += std::chrono::steady_clock::now() - start;
    }
    std::printf("%-26s %8.3f ms per %d points\n", name, elapsed.count() / kRounds, kPoints);
}

}  // namespace

int main() {
    const TextList withCommas = profileWithCommas();
    TextList points = withCommas;
    kt520::profile::replaceFirstChar(points, ',', ".");
    TextList withGaps = points;
    withGaps.resize(withGaps.size() + 1000);

    time("replaceFirstChar", withCommas,
         [](TextList& list) { kt520::profile::replaceFirstChar(list, ',', "."); });
    TextList destination;
    time("extractEvaluationWindow", points, [&](TextList& list) {
        kt520::profile::extractEvaluationWindow("3", list, destination, kPoints - 999);
    });
    time("removeEmptyEntries", withGaps,
         [](TextList& list) { kt520::profile::removeEmptyEntries(list); });
    time("tiltCorrect", points, [](TextList& list) { kt520::profile::tiltCorrect(list, kPoints); });
    return 0;
}
