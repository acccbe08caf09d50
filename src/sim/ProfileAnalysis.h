#pragma once
// What the simulated instrument calculates after a measurement: the
// evaluation profile (the filtered evaluation window of the measured profile)
// and the parameters computed from it.
#include <string>
#include <vector>

#include "sim/MeasuringConditions.h"
#include "sim/SamplingPlan.h"

namespace kt520::sim {

// Gaussian-weighted mean line of `heights` at `cutOffPoints` (the cut-off in
// points), for indexes first .. first+count-1; near the ends the weights that
// fall outside the profile are left out.
std::vector<double> gaussianMeanLine(const std::vector<float>& heights, double cutOffPoints,
                                     int first, int count);

// R and DIN4776: the roughness left by the mean line at the cut-off. W: the
// mean line at the cut-off less the one at fl (or less its least-squares line
// without fl). P, the motif profiles and no filter: the window less its
// least-squares line.
// `traced` is the whole profile the stylus passed, post-travel included
// even where the instrument does not record it (2CR).
std::vector<float> evaluationProfile(const std::vector<float>& traced, const SamplingPlan& plan,
                                     const MeasuringConditions& conditions);

// The result fields in the order Ra, Ry, Rz, Rq, Rt, Rp, Rv, Rsk, Rku, three
// decimals, heights in micrometres (microinches when the unit is inch).
std::vector<std::string> resultFields(const std::vector<float>& evaluation,
                                      const MeasuringConditions& conditions);

}  // namespace kt520::sim
