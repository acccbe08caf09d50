#pragma once
// Profile filters: each gives the mean line (the long-wave part) of a profile
// at a cut-off, point for point; the roughness is the profile less it.
// Cut-offs are given in points (the cut-off over the point spacing).
#include <span>
#include <vector>

#include "analysis/RunConditions.h"

namespace kt520::analysis {

// alpha = sqrt(ln 2 / pi) of the Gaussian weighting function: the mean line
// passes exp(-pi (alpha lambda-c / lambda)^2), half at the cut-off.
[[nodiscard]] double gaussianAlpha();

// The Gaussian filter with its weighting function cut at +-lambda-c. Where
// that reaches past an end of the profile, the mean line is the first-order
// Gaussian regression (a straight line fitted with the same weights), which
// equals the plain filter wherever the kernel fits and follows a slope to the
// very ends instead of bending away from it.
[[nodiscard]] std::vector<double> gaussianMeanLine(std::span<const double> profile,
                                                   double cutOffPoints);

// The 2RC filter: two RC stages of equal time constant, 75 % of the
// amplitude passed to the roughness at the cut-off, causal (each point's
// mean line looks back along the trace). Before its first point the profile
// is taken to have stood at its first height.
[[nodiscard]] std::vector<double> twoRCMeanLine(std::span<const double> profile,
                                                double cutOffPoints);

// The phase-corrected 2RC filter: the 2RC filter's amplitude transmission
// with no phase shift (a symmetric exponential weighting function). Beyond
// either end the profile is taken to stand at its end height.
[[nodiscard]] std::vector<double> phaseCorrected2RCMeanLine(std::span<const double> profile,
                                                            double cutOffPoints);

// One of the above by kind; FilterKind::None gives the least-squares line.
[[nodiscard]] std::vector<double> meanLine(std::span<const double> profile, double cutOffPoints,
                                           FilterKind kind);

// The least-squares straight line through the points.
[[nodiscard]] std::vector<double> leastSquaresLine(std::span<const double> profile);

}  // namespace kt520::analysis
