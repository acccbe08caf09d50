#pragma once
// The measures of an evaluation profile, heights taken from its mean line
// (z = 0). Sampling lengths split the points evenly: length k holds points
// k n / s up to (k + 1) n / s, so every point belongs to one of them.
#include <span>
#include <vector>

namespace kt520::analysis {

// Moments over the evaluation length: Ra, Rq, Rsk, Rku.
struct Moments {
    double meanAbsolute = 0;    // Ra
    double rootMeanSquare = 0;  // Rq
    double skewness = 0;        // Rsk (0 for a flat profile)
    double kurtosis = 0;        // Rku (0 for a flat profile)
};
[[nodiscard]] Moments moments(std::span<const double> z);

// The highest point and the depth of the lowest one (as a positive number)
// of each sampling length.
struct Extremes {
    double peak = 0;
    double valley = 0;
};
[[nodiscard]] std::vector<Extremes> samplingLengthExtremes(std::span<const double> z, int sections);

// A profile element: the points from one crossing of the mean line to the
// next, with the position and height of the point farthest from the line.
struct Element {
    std::size_t first = 0;  // first point
    std::size_t end = 0;    // one past the last point
    std::size_t extreme = 0;
    double height = 0;  // signed: above the mean line > 0
};
// Crossings as in ISO 21920-2: a new element starts at point j when the
// profile passes from <= 0 to > 0 or from >= 0 to < 0 between j - 1 and j.
[[nodiscard]] std::vector<Element> profileElements(std::span<const double> z);

// ISO 21920-2 maximum height Rz: the mean over the sampling lengths of the
// highest peak plus the deepest pit among the elements whose extreme point
// lies in that sampling length. Here a sampling length holds n / s points
// (rounded down) from the first point on, as the published reference values
// of that standard are computed.
[[nodiscard]] double elementMaximumHeight(std::span<const double> z, int sections);

// Ten-point height (JIS B 0601:1994): per sampling length the mean height of
// its five highest profile peaks plus the mean depth of its five deepest
// valleys (fewer where it has fewer), averaged over the sampling lengths.
[[nodiscard]] double tenPointHeight(std::span<const double> z, int sections);

// RSm in the unit of `spacing`: the mean width of the profile elements over
// the evaluation length, an element being a peak with either neighbouring
// valley. Peaks or valleys lower than
// `minimumHeight` or narrower than `minimumWidth` (in points) count as part
// of their neighbours; crossing positions are interpolated between points.
// 0 when no complete element is found.
[[nodiscard]] double meanElementWidth(std::span<const double> z, double spacing,
                                      double minimumHeight, double minimumWidth);

// Rdq: the root-mean-square of the local slope dz/dx, by the seven-point
// formula over the points that have three neighbours on either side.
[[nodiscard]] double rootMeanSquareSlope(std::span<const double> z, double spacing);

// The material-ratio (Abbott-Firestone) curve: the heights in descending
// order, point k (from 0) standing at material ratio 100 (k + 1) / n %.
class MaterialRatioCurve {
  public:
    explicit MaterialRatioCurve(std::span<const double> z);
    // Rmr(c): per cent of the points at or above the level c below the
    // highest point.
    [[nodiscard]] double ratioAtDepth(double c) const;
    // C(p): the height whose material ratio is p per cent (the next point of
    // the curve at or beyond p).
    [[nodiscard]] double heightAtRatio(double percent) const;
    [[nodiscard]] const std::vector<double>& heights() const { return sorted_; }

  private:
    std::vector<double> sorted_;
};

// ISO 13565-2 core roughness from the material-ratio curve: the 40 % secant
// of least gradient, extended to 0 % and 100 %, bounds the core.
struct CoreRoughness {
    double rk = 0;
    double rpk = 0;
    double rvk = 0;
    double mr1 = 0;  // per cent
    double mr2 = 0;  // per cent
};
[[nodiscard]] CoreRoughness coreRoughness(const MaterialRatioCurve& curve);

}  // namespace kt520::analysis
