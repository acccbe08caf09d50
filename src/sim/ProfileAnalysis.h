#pragma once
// What the simulated instrument calculates after a measurement: the
// evaluation profile (the filtered evaluation window of the measured profile)
// and the parameters computed from it.
#include <string>
#include <vector>

#include "analysis/RunConditions.h"
#include "sim/MeasuringConditions.h"
#include "sim/SamplingPlan.h"

namespace kt520::sim {

// The conditions in the analysis library's terms, at the plan's pitch.
analysis::RunConditions analysisConditions(const MeasuringConditions& conditions,
                                           const SamplingPlan& plan);

// The evaluation profile of the window that starts at the plan's lead
// points, filtered by the standard filters of the analysis library (the
// Gaussian filter, the 2RC filter for 2CR and its phase-corrected form for
// PC75): R and DIN4776 the roughness, W the band between the cut-off and fl,
// P, the motif profiles and no filter the window less its least-squares line.
// `traced` is the whole profile the stylus passed, post-travel included
// even where the instrument does not record it (2CR).
std::vector<float> evaluationProfile(const std::vector<float>& traced, const SamplingPlan& plan,
                                     const MeasuringConditions& conditions);

// The result fields in the order Ra, Ry, Rz, Rq, Rt, Rp, Rv, Rsk, Rku, three
// decimals, heights in micrometres (microinches when the unit is inch). The
// sampling lengths are N (the length over the cut-off for "L" and the motif
// profiles; one for P and the motif profiles). Ry is the largest sampling
// length's peak-to-valley height; Rz is the ten-point height for JIS 1982 and
// JIS 1994, else the mean peak-to-valley height; Rp and Rv are means over the
// sampling lengths for ISO 1997 and JIS 2001, else the highest peak and
// deepest valley of the evaluation length.
std::vector<std::string> resultFields(const std::vector<float>& evaluation,
                                      const MeasuringConditions& conditions);

}  // namespace kt520::sim
