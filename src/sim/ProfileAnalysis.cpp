#include "sim/ProfileAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kt520::sim {

namespace {

constexpr double kMicroinchPerMicrometre = 39.37;
constexpr int kMaxKernelTaps = 801;

std::vector<float> lessLeastSquaresLine(const std::vector<double>& values) {
    const double n = static_cast<double>(values.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double x = static_cast<double>(i);
        sx += x;
        sy += values[i];
        sxx += x * x;
        sxy += x * values[i];
    }
    const double denominator = n * sxx - sx * sx;
    const double slope = denominator != 0 ? (n * sxy - sx * sy) / denominator : 0.0;
    const double intercept = n > 0 ? (sy - slope * sx) / n : 0.0;
    std::vector<float> residuals(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        residuals[i] = static_cast<float>(values[i] - (intercept + slope * static_cast<double>(i)));
    }
    return residuals;
}

}  // namespace

std::vector<double> gaussianMeanLine(const std::vector<float>& heights, double cutOffPoints,
                                     int first, int count) {
    const double alpha = std::sqrt(std::numbers::ln2 / std::numbers::pi);
    const int half = static_cast<int>(std::lround(cutOffPoints));
    // Long kernels are sampled sparsely: the weights vary slowly there.
    const int stride = std::max(1, 2 * half / kMaxKernelTaps);
    std::vector<double> weights;
    for (int k = -half; k <= half; k += stride) {
        const double u = k / (alpha * cutOffPoints);
        weights.push_back(std::exp(-std::numbers::pi * u * u));
    }
    const int size = static_cast<int>(heights.size());
    std::vector<double> line(count);
    for (int i = 0; i < count; ++i) {
        const int centre = first + i;
        double sum = 0, weightSum = 0;
        for (std::size_t t = 0; t < weights.size(); ++t) {
            const int j = centre - half + static_cast<int>(t) * stride;
            if (j < 0 || j >= size) continue;
            sum += weights[t] * heights[j];
            weightSum += weights[t];
        }
        line[i] = weightSum > 0 ? sum / weightSum : 0.0;
    }
    return line;
}

std::vector<float> evaluationProfile(const std::vector<float>& traced, const SamplingPlan& plan,
                                     const MeasuringConditions& c) {
    const int first = plan.leadPoints;
    const int count = std::min(plan.evaluationPoints, static_cast<int>(traced.size()) - first);
    if (count <= 0) return {};
    std::vector<double> window(traced.begin() + first, traced.begin() + first + count);
    if (!c.filtered()) return lessLeastSquaresLine(window);
    const double cutOffPoints = c.cutOffMm() / plan.pitchMm;
    const std::vector<double> meanLine = gaussianMeanLine(traced, cutOffPoints, first, count);
    if (c.profile != '3') {
        std::vector<float> roughness(count);
        for (int i = 0; i < count; ++i) roughness[i] = static_cast<float>(window[i] - meanLine[i]);
        return roughness;
    }
    if (c.waveLimitMm() <= 0) return lessLeastSquaresLine(meanLine);
    const std::vector<double> longWave =
        gaussianMeanLine(traced, c.waveLimitMm() / plan.pitchMm, first, count);
    std::vector<float> waviness(count);
    for (int i = 0; i < count; ++i) waviness[i] = static_cast<float>(meanLine[i] - longWave[i]);
    return waviness;
}

std::vector<std::string> resultFields(const std::vector<float>& evaluation,
                                      const MeasuringConditions& c) {
    const std::size_t n = evaluation.size();
    double sumAbs = 0, sum2 = 0, sum3 = 0, sum4 = 0;
    double peak = n ? evaluation[0] : 0.0, valley = peak;
    for (float v : evaluation) {
        sumAbs += std::fabs(v);
        sum2 += static_cast<double>(v) * v;
        sum3 += static_cast<double>(v) * v * v;
        sum4 += static_cast<double>(v) * v * v * v;
        peak = std::max(peak, static_cast<double>(v));
        valley = std::min(valley, static_cast<double>(v));
    }
    const double count = n ? static_cast<double>(n) : 1.0;
    const double ra = sumAbs / count;
    const double rq = std::sqrt(sum2 / count);
    const double rsk = rq > 0 ? sum3 / count / (rq * rq * rq) : 0.0;
    const double rku = rq > 0 ? sum4 / count / (rq * rq * rq * rq) : 0.0;
    // Peak-to-valley heights of the sampling lengths.
    std::size_t sections = c.sections == 'L' || c.isMotif()
                               ? static_cast<std::size_t>(std::max(
                                     1L, std::lround(c.evaluationLengthMm() / c.cutOffMm())))
                               : static_cast<std::size_t>(c.sections - '0');
    sections = std::max<std::size_t>(1, std::min(sections, n));
    double ry = 0, rzSum = 0;
    for (std::size_t s = 0; s < sections && n > 0; ++s) {
        const auto from = evaluation.begin() + static_cast<std::ptrdiff_t>(s * n / sections);
        const auto to = evaluation.begin() + static_cast<std::ptrdiff_t>((s + 1) * n / sections);
        const auto [low, high] = std::minmax_element(from, to);
        const double height = static_cast<double>(*high) - *low;
        ry = std::max(ry, height);
        rzSum += height;
    }
    const double scale = c.unit == '2' ? kMicroinchPerMicrometre : 1.0;
    const double heights[] = {
        ra, ry, rzSum / static_cast<double>(sections), rq, peak - valley, peak, -valley};
    std::vector<std::string> fields;
    for (double h : heights) fields.push_back(decimalText(h * scale, 3, false));
    fields.push_back(decimalText(rsk, 3, false));
    fields.push_back(decimalText(rku, 3, false));
    return fields;
}

}  // namespace kt520::sim
