#include "sim/ProfileAnalysis.h"

#include <algorithm>
#include <cmath>

#include "analysis/ProfileMeasures.h"
#include "analysis/RunAnalysis.h"

namespace kt520::sim {

namespace {

constexpr double kMicroinchPerMicrometre = 39.37;

int samplingLengths(const MeasuringConditions& c) {
    if (c.profile == '1' || c.isMotif()) return 1;
    if (c.sections == 'L')
        return static_cast<int>(std::max(1L, std::lround(c.evaluationLengthMm() / c.cutOffMm())));
    return c.sections - '0';
}

analysis::ProfileKind profileKind(char profile) {
    switch (profile) {
        case '1':
            return analysis::ProfileKind::Primary;
        case '3':
            return analysis::ProfileKind::Waviness;
        case '4':
            return analysis::ProfileKind::Din4776;
        case '5':
            return analysis::ProfileKind::RoughnessMotif;
        case '6':
            return analysis::ProfileKind::WavinessMotif;
        default:
            return analysis::ProfileKind::Roughness;
    }
}

}  // namespace

analysis::RunConditions analysisConditions(const MeasuringConditions& c, const SamplingPlan& plan) {
    analysis::RunConditions r;
    r.cutOffMm = c.cutOffMm();
    r.sections = samplingLengths(c);
    r.evaluationLengthMm = plan.evaluationPoints * plan.pitchMm;
    r.pitchUm = plan.pitchMm * 1000.0;
    r.profile = profileKind(c.profile);
    r.filter = analysisFilter(c.filter);
    r.standard = static_cast<analysis::Standard>(c.standard - '1');
    r.unit = c.unit == '2' ? analysis::Unit::Inch : analysis::Unit::Millimetre;
    r.waveLimitMm = c.waveLimitMm();
    return r;
}

std::vector<float> evaluationProfile(const std::vector<float>& traced, const SamplingPlan& plan,
                                     const MeasuringConditions& c) {
    const int first = std::min(plan.leadPoints, static_cast<int>(traced.size()));
    const int count = std::min(plan.evaluationPoints, static_cast<int>(traced.size()) - first);
    if (count <= 0) return {};
    const std::vector<double> heights(traced.begin(), traced.end());
    const std::vector<double> evaluation = analysis::evaluationProfile(
        heights, {static_cast<std::size_t>(first), static_cast<std::size_t>(count)},
        analysisConditions(c, plan));
    return {evaluation.begin(), evaluation.end()};
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
    // Peaks, valleys and peak-to-valley heights of the sampling lengths.
    const std::size_t sections =
        std::max<std::size_t>(1, std::min<std::size_t>(samplingLengths(c), n));
    double ry = 0, rzSum = 0, peakSum = 0, valleySum = 0;
    for (std::size_t s = 0; s < sections && n > 0; ++s) {
        const auto from = evaluation.begin() + static_cast<std::ptrdiff_t>(s * n / sections);
        const auto to = evaluation.begin() + static_cast<std::ptrdiff_t>((s + 1) * n / sections);
        const auto [low, high] = std::minmax_element(from, to);
        const double height = static_cast<double>(*high) - *low;
        ry = std::max(ry, height);
        rzSum += height;
        peakSum += *high;
        valleySum -= *low;
    }
    const auto perSection = static_cast<double>(sections);
    const bool isoFamily = c.standard == '4' || c.standard == '6';
    const bool tenPoint = c.standard == '1' || c.standard == '2';
    const std::vector<double> heights(evaluation.begin(), evaluation.end());
    const double rz = tenPoint ? analysis::tenPointHeight(heights, static_cast<int>(sections))
                               : rzSum / perSection;
    const double rp = isoFamily ? peakSum / perSection : peak;
    const double rv = isoFamily ? valleySum / perSection : -valley;

    const double scale = c.unit == '2' ? kMicroinchPerMicrometre : 1.0;
    const double scaled[] = {ra, ry, rz, rq, peak - valley, rp, rv};
    std::vector<std::string> fields;
    for (double h : scaled) fields.push_back(decimalText(h * scale, 3, false));
    fields.push_back(decimalText(rsk, 3, false));
    fields.push_back(decimalText(rku, 3, false));
    return fields;
}

}  // namespace kt520::sim
