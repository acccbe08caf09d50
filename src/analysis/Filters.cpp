#include "analysis/Filters.h"

#include <cmath>
#include <cstddef>
#include <numbers>

#include "analysis/Correlation.h"

namespace kt520::analysis {

namespace {

// tau of one RC stage over the cut-off: the 2RC roughness transmission
// (w tau)^2 / (1 + (w tau)^2) is 3/4 at w = 2 pi / lambda-c.
const double kTauPerCutOff = std::sqrt(3.0) / (2.0 * std::numbers::pi);

}  // namespace

double gaussianAlpha() {
    return std::sqrt(std::numbers::ln2 / std::numbers::pi);
}

std::vector<double> gaussianMeanLine(std::span<const double> profile, double cutOffPoints) {
    const std::size_t n = profile.size();
    if (n == 0) return {};
    const auto h = static_cast<std::ptrdiff_t>(std::lround(cutOffPoints));
    const double width = gaussianAlpha() * cutOffPoints;
    std::vector<double> weight(2 * h + 1), moment(2 * h + 1);
    double total = 0;
    for (std::ptrdiff_t k = -h; k <= h; ++k) {
        const double u = static_cast<double>(k) / width;
        weight[k + h] = std::exp(-std::numbers::pi * u * u);
        total += weight[k + h];
    }
    for (std::ptrdiff_t k = -h; k <= h; ++k) {
        weight[k + h] /= total;
        moment[k + h] = static_cast<double>(k) * weight[k + h];
    }
    const CorrelationPair sums = correlate(profile, weight, moment);
    std::vector<double> line = sums.first;

    // Cumulative weight, first and second moments, to get the truncated sums
    // of the end zones in constant time.
    std::vector<double> c0(2 * h + 2), c1(2 * h + 2), c2(2 * h + 2);
    for (std::ptrdiff_t k = -h; k <= h; ++k) {
        const auto j = static_cast<std::size_t>(k + h);
        c0[j + 1] = c0[j] + weight[j];
        c1[j + 1] = c1[j] + moment[j];
        c2[j + 1] = c2[j] + moment[j] * static_cast<double>(k);
    }
    const auto sn = static_cast<std::ptrdiff_t>(n);
    for (std::ptrdiff_t i = 0; i < sn; ++i) {
        const std::ptrdiff_t from = std::max(-h, -i);
        const std::ptrdiff_t to = std::min(h, sn - 1 - i);
        if (from == -h && to == h) continue;  // the whole kernel lies on the profile
        const auto a = static_cast<std::size_t>(from + h);
        const auto b = static_cast<std::size_t>(to + h + 1);
        const double s0 = c0[b] - c0[a], s1 = c1[b] - c1[a], s2 = c2[b] - c2[a];
        const double t0 = sums.first[i], t1 = sums.second[i];
        const double determinant = s0 * s2 - s1 * s1;
        // Intercept of the weighted straight line at the point itself.
        line[i] = determinant > 1e-12 * s0 * s2 ? (s2 * t0 - s1 * t1) / determinant : t0 / s0;
    }
    return line;
}

std::vector<double> twoRCMeanLine(std::span<const double> profile, double cutOffPoints) {
    const std::size_t n = profile.size();
    if (n == 0) return {};
    // Weighting function of the two stages (A = 2 pi / sqrt 3):
    // s(x) = (A / lc) (2 - A x / lc) exp(-A x / lc), x >= 0, sampled with half
    // weight at x = 0 (trapezoidal rule). With r = exp(-A / lc) per point the
    // sums S0 = sum r^j z[i-j] and S1 = sum j r^j z[i-j] run recursively.
    const double a = 1.0 / (kTauPerCutOff * cutOffPoints);
    const double r = std::exp(-a);
    const double c1 = 2 * a, c2 = -a * a;
    const double gain = c1 * (1 / (1 - r) - 0.5) + c2 * r / ((1 - r) * (1 - r));
    double s0 = profile[0] / (1 - r);
    double s1 = profile[0] * r / ((1 - r) * (1 - r));
    std::vector<double> line(n);
    for (std::size_t i = 0; i < n; ++i) {
        s1 = r * (s1 + s0);
        s0 = profile[i] + r * s0;
        line[i] = (c1 * (s0 - 0.5 * profile[i]) + c2 * s1) / gain;
    }
    return line;
}

std::vector<double> phaseCorrected2RCMeanLine(std::span<const double> profile,
                                              double cutOffPoints) {
    const std::size_t n = profile.size();
    if (n == 0) return {};
    // Mean-line transmission 1 / (1 + (w tau)^2): the weighting function
    // exp(-|x| / tau) / (2 tau), one first-order recursion each way.
    const double r = std::exp(-1.0 / (kTauPerCutOff * cutOffPoints));
    std::vector<double> forward(n), line(n);
    // Each sum starts as that of the end height repeated without end.
    double sum = profile[0] / (1 - r);
    for (std::size_t i = 0; i < n; ++i) {
        sum = profile[i] + r * sum;
        forward[i] = sum;
    }
    sum = profile[n - 1] / (1 - r);
    const double gain = (1 + r) / (1 - r);
    for (std::size_t i = n; i-- > 0;) {
        sum = profile[i] + r * sum;
        line[i] = (forward[i] + sum - profile[i]) / gain;
    }
    return line;
}

std::vector<double> leastSquaresLine(std::span<const double> profile) {
    const std::size_t n = profile.size();
    std::vector<double> line(n);
    if (n == 0) return line;
    const double centre = (static_cast<double>(n) - 1) / 2;
    double mean = 0, sxy = 0, sxx = 0;
    for (std::size_t i = 0; i < n; ++i) mean += profile[i];
    mean /= static_cast<double>(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double x = static_cast<double>(i) - centre;
        sxy += x * (profile[i] - mean);
        sxx += x * x;
    }
    const double slope = sxx > 0 ? sxy / sxx : 0.0;
    for (std::size_t i = 0; i < n; ++i) line[i] = mean + slope * (static_cast<double>(i) - centre);
    return line;
}

std::vector<double> meanLine(std::span<const double> profile, double cutOffPoints,
                             FilterKind kind) {
    switch (kind) {
        case FilterKind::TwoRC:
            return twoRCMeanLine(profile, cutOffPoints);
        case FilterKind::PhaseCorrected2RC:
            return phaseCorrected2RCMeanLine(profile, cutOffPoints);
        case FilterKind::Gaussian:
            return gaussianMeanLine(profile, cutOffPoints);
        case FilterKind::None:
            break;
    }
    return leastSquaresLine(profile);
}

}  // namespace kt520::analysis
