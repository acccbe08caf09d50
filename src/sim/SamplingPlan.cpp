#include "sim/SamplingPlan.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kt520::sim {

namespace {

constexpr std::array<double, 5> kPitchesMm{0.00005, 0.00015, 0.0005, 0.0015, 0.005};

int pointsOver(double lengthMm, double pitch) {
    return static_cast<int>(std::lround(lengthMm / pitch));
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
    plan.leadPoints = (plan.measuredPoints - plan.evaluationPoints) / 2;
    plan.tracedPoints = plan.measuredPoints;
    plan.travelMm = plan.measuredPoints * plan.pitchMm;
    return plan;
}

}  // namespace

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
    for (plan.pitchLevel = c.cutOff - '1';; ++plan.pitchLevel) {
        plan.pitchMm = kPitchesMm[plan.pitchLevel];
        const int edge = c.travel == '1' ? pointsOver(c.cutOffMm(), plan.pitchMm) : 0;
        plan.evaluationPoints = pointsOver(c.evaluationLengthMm(), plan.pitchMm);
        plan.leadPoints = edge;
        const int trail = c.filter == '1' ? 0 : edge;
        plan.measuredPoints = plan.leadPoints + plan.evaluationPoints + trail;
        if (plan.measuredPoints > kMaxProfilePoints &&
            plan.pitchLevel + 1 == static_cast<int>(kPitchesMm.size())) {
            plan.evaluationPoints -= plan.measuredPoints - kMaxProfilePoints;
            plan.measuredPoints = kMaxProfilePoints;
        }
        plan.tracedPoints = plan.leadPoints + plan.evaluationPoints + edge;
        plan.travelMm = plan.tracedPoints * plan.pitchMm;
        if (plan.measuredPoints <= kMaxProfilePoints) break;
    }
    return plan;
}

}  // namespace kt520::sim
