#pragma once
// How many points the instrument records for a set of conditions, at which
// pitch, and how far the stylus travels. The measured profile is the lead-in
// (pre-travel), the evaluation window, and the post-travel except with the
// 2CR filter, whose evaluation window is the end of the recorded profile.
#include "sim/MeasuringConditions.h"

namespace kt520::sim {

inline constexpr int kMaxProfilePoints = 30000;

struct SamplingPlan {
    int pitchLevel = 0;  // index into the pitch table: 0.05, 0.15, 0.5, 1.5, 5 um
    double pitchMm = 0;
    int leadPoints = 0;        // recorded before the evaluation window
    int evaluationPoints = 0;  // points of the evaluation profile
    int measuredPoints = 0;    // points of the measured profile
    int tracedPoints = 0;      // points the stylus passes: the measured ones and any post-travel
    double travelMm = 0;       // stylus travel of the whole measurement
};

// The pitch of each level in mm.
double pitchMm(int pitchLevel);

// The expected measured point count of the motif profiles by motif limit A.
int motifPointCount(char motifA, double driveRangeMm);

SamplingPlan planSampling(const MeasuringConditions& conditions, double driveRangeMm);

}  // namespace kt520::sim
