#pragma once
// The analysis of one run: its evaluation profile computed from the measured
// profile, and the named parameters of that profile with their units and the
// standards they follow.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "analysis/RunConditions.h"

namespace kt520::analysis {

struct Parameter {
    std::string name;      // "Ra", "Rz", "Rmr(c=25%Rt)", ...
    double value = 0;      // in `unit`
    std::string unit;      // "um", "uinch", "%" or "" (a ratio)
    std::string standard;  // "ISO 4287:1997", ...
};

// Micro-inches per micrometre, the factor of the instrument and its files.
inline constexpr double kMicroinchPerMicrometre = 39.37;

// Points of a profile, [first, first + count).
struct Window {
    std::size_t first = 0;
    std::size_t count = 0;
};

// Where the evaluation window of `evaluationPoints` starts in a measured
// profile of `measuredPoints`: with the 2RC filter it is the end of the
// profile; otherwise it starts at d/2 points in (d = measured - evaluation,
// rounded half to even), one point earlier than the middle, as the program
// cuts it for Measured.csv (its first entry is point 1, so d/2 is point
// d/2 - 1 counted from 0).
[[nodiscard]] Window evaluationWindow(FilterKind filter, std::size_t measuredPoints,
                                      std::size_t evaluationPoints);

// The evaluation profile of the window of `primary` (heights in um at the
// conditions' pitch): short-wave filter lambda-s if asked for, then
// - R: the profile less its mean line at the cut-off;
// - DIN4776: the same with the mean line of ISO 13565-1 (filtered again
//   after the valleys below the first mean line are filled up to it);
// - W: the mean line at the cut-off (fh) less the one at fl, or less its
//   least-squares line when there is no fl;
// - P, the motif profiles and no filter: the window less its least-squares
//   line.
// Points of `primary` outside the window serve as run-in and run-out.
[[nodiscard]] std::vector<double> evaluationProfile(std::span<const double> primary, Window window,
                                                    const RunConditions& conditions);

// The parameters of an evaluation profile (heights in um): for R and DIN4776
// Ra, Rq, Rz, Rp, Rv, Rt, Rsk, Rku, RSm, Rdq, Rmr(c), Rdc and the standard's
// own (Ry or Rmax, the ten-point Rz of the JIS standards), for DIN4776 also
// Rk, Rpk, Rvk, Mr1, Mr2; W and P give the same set under their letter.
[[nodiscard]] std::vector<Parameter> profileParameters(std::span<const double> evaluation,
                                                       const RunConditions& conditions);

// One run: the evaluation profile recomputed from the whole measured profile
// (pre- and post-travel included), at the window that the instrument's
// evaluation profile occupies, and its parameters. When the measured profile
// is shorter than the instrument's evaluation profile, the instrument's
// evaluation profile is evaluated as it is.
[[nodiscard]] std::vector<Parameter> analyseRun(std::span<const double> measured,
                                                std::span<const double> instrumentEvaluation,
                                                const RunConditions& conditions);

// A stored profile re-evaluated without an instrument: the evaluation length
// (the conditions' sections x cut-off) centred in the profile, what lies
// before and after it serving as run-in and run-out. A primary profile is
// filtered first; a roughness profile is evaluated as it is (after lambda-s,
// when asked for).
enum class StoredInput { Primary, Roughness };
struct StoredAnalysis {
    std::vector<double> evaluation;
    std::vector<Parameter> parameters;
    std::string error;  // empty when the profile could be evaluated
};
[[nodiscard]] StoredAnalysis analyseStoredProfile(std::span<const double> heights,
                                                  const RunConditions& conditions,
                                                  StoredInput input);

}  // namespace kt520::analysis
