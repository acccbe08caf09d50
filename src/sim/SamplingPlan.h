#pragma once
// How many points the instrument records for a set of conditions, at which
// pitch, and how far the stylus travels. The measured profile is the run-in
// (pre-travel), the evaluation length, and the post-travel except with the
// 2CR filter, whose evaluation window is the end of the recorded profile.
// The evaluation window lies where the program cuts it out of the measured
// profile for Measured.csv.
#include "analysis/RunConditions.h"
#include "sim/MeasuringConditions.h"

namespace kt520::sim {

inline constexpr int kMaxProfilePoints = 30000;

struct SamplingPlan {
    int pitchLevel = 0;  // index into the pitch table: 0.05, 0.15, 0.5, 1.5, 5 um
    double pitchMm = 0;
    int runInPoints = 0;       // pre-travel: one cut-off, or fl for a W profile with fl
    int leadPoints = 0;        // where the evaluation window starts in the measured profile
    int evaluationPoints = 0;  // points of the evaluation profile
    int measuredPoints = 0;    // points of the measured profile
    int tracedPoints = 0;      // points the stylus passes: the measured ones and any post-travel
    double travelMm = 0;       // stylus travel of the whole measurement
};

// The analysis library's filter for a filter code ("4" and unknown: none).
analysis::FilterKind analysisFilter(char filter);

// The pitch of each level in mm.
double pitchMm(int pitchLevel);

// The expected measured point count of the motif profiles by motif limit A.
int motifPointCount(char motifA, double driveRangeMm);

SamplingPlan planSampling(const MeasuringConditions& conditions, double driveRangeMm);

}  // namespace kt520::sim
