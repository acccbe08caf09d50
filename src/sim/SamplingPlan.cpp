#include "sim/SamplingPlan.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/RunAnalysis.h"

namespace kt520::sim {

namespace {

constexpr std::array<double, 5> kPitchesMm{0.00005, 0.00015, 0.0005, 0.0015, 0.005};

int pointsOver(double lengthMm, double pitch) {
    return static_cast<int>(std::lround(lengthMm / pitch));
}

// Where the program's window cut starts, so that Measured.csv and
// Evaluation.csv hold the same points.
int windowStart(const MeasuringConditions& c, const SamplingPlan& plan) {
    return static_cast<int>(
        analysis::evaluationWindow(analysisFilter(c.filter),
                                   static_cast<std::size_t>(plan.measuredPoints),
                                   static_cast<std::size_t>(plan.evaluationPoints))
            .first);
}

SamplingPlan planMotif(const MeasuringConditions& c, double driveRangeMm) {
    SamplingPlan plan;
    const int a = c.motifA - '2';  // 0..3
    plan.pitchLevel = a + 1;
    plan.pitchMm = kPitchesMm[plan.pitchLevel];
    const int fitsDrive = static_cast<int>(driveRangeMm / plan.pitchMm);
    plan.evaluationPoints =
        std::min({pointsOver(c.motifLengthsMm[a], plan.pitchMm), fitsDrive, kMaxProfilePoints});
    plan.measuredPoints =
        std::min(std::max(motifPointCount(c.motifA, driveRangeMm), plan.evaluationPoints),
                 std::min(fitsDrive, kMaxProfilePoints));
    plan.leadPoints = windowStart(c, plan);
    plan.runInPoints = plan.leadPoints;
    plan.tracedPoints = plan.measuredPoints;
    plan.travelMm = plan.measuredPoints * plan.pitchMm;
    return plan;
}

}  // namespace

analysis::FilterKind analysisFilter(char filter) {
    switch (filter) {
        case '1':
            return analysis::FilterKind::TwoRC;
        case '2':
            return analysis::FilterKind::PhaseCorrected2RC;
        case '3':
            return analysis::FilterKind::Gaussian;
        default:
            return analysis::FilterKind::None;
    }
}

double pitchMm(int pitchLevel) {
    return kPitchesMm.at(pitchLevel);
}

int motifPointCount(char motifA, double driveRangeMm) {
    switch (motifA) {
        case '2':
            return 4300;
        case '3':
            return 6450;
        case '4':
            return 10700;
        default:
            return driveRangeMm == 50.8 ? 10500 : 5100;
    }
}

SamplingPlan planSampling(const MeasuringConditions& c, double driveRangeMm) {
    if (c.isMotif()) return planMotif(c, driveRangeMm);
    SamplingPlan plan;
    // The pitch follows the cut-off (1600 points per cut-off); a coarser one
    // is taken when the profile would not fit the instrument's memory.
    // A W profile with fl needs fl of run-in and run-out for its long-wave
    // mean line.
    const double edgeMm = c.profile == '3' ? std::max(c.cutOffMm(), c.waveLimitMm()) : c.cutOffMm();
    for (plan.pitchLevel = c.cutOff - '1';; ++plan.pitchLevel) {
        plan.pitchMm = kPitchesMm[plan.pitchLevel];
        const int edge = c.travel == '1' ? pointsOver(edgeMm, plan.pitchMm) : 0;
        plan.evaluationPoints = pointsOver(c.evaluationLengthMm(), plan.pitchMm);
        plan.runInPoints = edge;
        const int trail = c.filter == '1' ? 0 : edge;
        plan.measuredPoints = plan.runInPoints + plan.evaluationPoints + trail;
        if (plan.measuredPoints > kMaxProfilePoints &&
            plan.pitchLevel + 1 == static_cast<int>(kPitchesMm.size())) {
            plan.evaluationPoints -= plan.measuredPoints - kMaxProfilePoints;
            plan.measuredPoints = kMaxProfilePoints;
        }
        plan.tracedPoints = plan.runInPoints + plan.evaluationPoints + edge;
        plan.travelMm = plan.tracedPoints * plan.pitchMm;
        if (plan.measuredPoints <= kMaxProfilePoints) break;
    }
    plan.leadPoints = windowStart(c, plan);
    return plan;
}

}  // namespace kt520::sim
