// The analysis of a long run: a 30000-point measured profile at a cut-off of
// 8 mm, at the finest pitch at which 30000 points fit the 50 mm drive
// (1.5 um: 45 mm of travel, 8 mm pre- and post-travel, 29 mm evaluated in
// four sampling lengths), with every parameter. Prints the median and the
// fastest of the repetitions, and the time of the Gaussian filter alone.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "analysis/Filters.h"
#include "analysis/RunAnalysis.h"
#include "sim/Workpiece.h"

using namespace kt520;

namespace {

struct Times {
    double medianMs;
    double fastestMs;
    double cpuMs;  // processor time per repetition: what the load of a shared machine leaves out
};

template <typename Work>
Times timesOf(int repetitions, Work work) {
    std::vector<double> times;
    const std::clock_t cpuStart = std::clock();
    for (int r = 0; r < repetitions; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), cpu / repetitions};
}

const char* filterName(analysis::FilterKind kind) {
    switch (kind) {
        case analysis::FilterKind::Gaussian:
            return "GAUSS";
        case analysis::FilterKind::PhaseCorrected2RC:
            return "PC75";
        default:
            return "2CR";
    }
}

}  // namespace

int main() {
    constexpr int kPoints = 30000;
    constexpr double kPitchMm = 0.0015;
    const std::vector<float> traced = sim::Workpiece(520).sample(0.0, kPitchMm, kPoints, 1);
    const std::vector<double> measured(traced.begin(), traced.end());
    const std::vector<double> instrumentEvaluation(kPoints - 2 * 5333);

    // The first analysis of a process also transforms the Gaussian kernel,
    // which later runs with the same cut-off and pitch reuse.
    {
        analysis::RunConditions first;
        first.cutOffMm = 8.0;
        first.sections = 4;
        first.pitchUm = kPitchMm * 1000;
        const Times t =
            timesOf(1, [&] { (void)analysis::analyseRun(measured, instrumentEvaluation, first); });
        std::printf("R       GAUSS first analysis of the process: %6.2f ms\n", t.medianMs);
    }
    for (analysis::ProfileKind profile :
         {analysis::ProfileKind::Roughness, analysis::ProfileKind::Din4776}) {
        for (analysis::FilterKind filter :
             {analysis::FilterKind::Gaussian, analysis::FilterKind::PhaseCorrected2RC,
              analysis::FilterKind::TwoRC}) {
            analysis::RunConditions c;
            c.cutOffMm = 8.0;
            c.sections = 4;
            c.pitchUm = kPitchMm * 1000;
            c.filter = filter;
            c.profile = profile;  // DIN4776 filters twice and adds the Rk family
            std::size_t count = 0;
            const Times t = timesOf(21, [&] {
                count = analysis::analyseRun(measured, instrumentEvaluation, c).size();
            });
            std::printf(
                "%-7s %-5s %2zu parameters: median %6.2f ms, fastest %6.2f ms, CPU %6.2f ms\n",
                profile == analysis::ProfileKind::Din4776 ? "DIN4776" : "R", filterName(filter),
                count, t.medianMs, t.fastestMs, t.cpuMs);
        }
    }
    const Times g =
        timesOf(21, [&] { (void)analysis::gaussianMeanLine(measured, 8.0 / kPitchMm); });
    std::printf(
        "Gaussian mean line alone (5333-point cut-off): median %.2f ms, fastest %.2f ms, "
        "CPU %.2f ms\n",
        g.medianMs, g.fastestMs, g.cpuMs);
    return 0;
}
