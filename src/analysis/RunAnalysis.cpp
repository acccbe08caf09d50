#include "analysis/RunAnalysis.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "analysis/Filters.h"
#include "analysis/ProfileMeasures.h"

namespace kt520::analysis {

namespace {

constexpr std::string_view kIso21920 = "ISO 21920-2:2021";
constexpr std::string_view kIso4287 = "ISO 4287:1997";
constexpr std::string_view kIso4288 = "ISO 4288:1996";
constexpr std::string_view kIso13565 = "ISO 13565-2:1996";

// d / 2 to the nearest whole number, halves to the even neighbour.
std::size_t halfToEven(std::size_t d) {
    const std::size_t half = d / 2;
    if (d % 2 == 0) return half;
    return half % 2 == 0 ? half : half + 1;
}

std::vector<double> cut(std::span<const double> values, Window w) {
    return {values.begin() + static_cast<std::ptrdiff_t>(w.first),
            values.begin() + static_cast<std::ptrdiff_t>(w.first + w.count)};
}

std::vector<double> lessLeastSquaresLine(std::vector<double> values) {
    const std::vector<double> line = leastSquaresLine(values);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] -= line[i];
    return values;
}

std::vector<double> difference(std::span<const double> a, std::span<const double> b, Window w) {
    std::vector<double> out(w.count);
    for (std::size_t i = 0; i < w.count; ++i) out[i] = a[w.first + i] - b[w.first + i];
    return out;
}

char profileLetter(ProfileKind kind) {
    switch (kind) {
        case ProfileKind::Roughness:
        case ProfileKind::Din4776:
            return 'R';
        case ProfileKind::Waviness:
            return 'W';
        default:
            return 'P';
    }
}

// Which roughness parameters (by the name after the profile letter) the
// instrument's older standards define themselves.
bool olderStandardDefines(Standard standard, std::string_view suffix) {
    const auto among = [&](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), suffix) != names.end();
    };
    switch (standard) {
        case Standard::Jis1982:
            return among({"a", "max", "z"});
        case Standard::Jis1994:
            return among({"a", "y", "z", "Sm"});
        case Standard::Din1990:
            return among({"a", "max", "z", "q"});
        case Standard::Ansi1995:
            return among({"a", "q", "max", "z", "p", "v", "t", "sk", "ku", "Sm", "dq"});
        default:
            return false;
    }
}

class ParameterList {
  public:
    ParameterList(const RunConditions& c)
        : conditions_(c),
          letter_(profileLetter(c.profile)),
          scale_(c.unit == Unit::Inch ? kMicroinchPerMicrometre : 1.0),
          heightUnit_(c.unit == Unit::Inch ? "uinch" : "um") {}

    // A height or length parameter; `fallback` names the standard that
    // defines it when the selected one does not.
    void length(std::string_view suffix, double micrometres, std::string_view fallback) {
        add(suffix, micrometres * scale_, heightUnit_, fallback);
    }
    void ratio(std::string_view suffix, double value, std::string_view unit,
               std::string_view fallback) {
        add(suffix, value, unit, fallback);
    }
    void raw(std::string name, double value, std::string_view unit, std::string_view standard) {
        list_.push_back({std::move(name), value, std::string(unit), std::string(standard)});
    }
    double scale() const { return scale_; }
    std::string_view heightUnit() const { return heightUnit_; }
    std::vector<Parameter> take() { return std::move(list_); }

  private:
    void add(std::string_view suffix, double value, std::string_view unit,
             std::string_view fallback) {
        std::string_view standard = fallback;
        const Standard s = conditions_.standard;
        if (s == Standard::Iso1997 || s == Standard::Jis2001) {
            if (fallback != kIso4288) standard = standardName(s);
        } else if (letter_ == 'R' && olderStandardDefines(s, suffix)) {
            standard = standardName(s);
        }
        raw(letter_ + std::string(suffix), value, unit, standard);
    }

    const RunConditions& conditions_;
    char letter_;
    double scale_;
    std::string_view heightUnit_;
    std::vector<Parameter> list_;
};

}  // namespace

std::string_view standardName(Standard standard) {
    switch (standard) {
        case Standard::Jis1982:
            return "JIS B 0601:1982";
        case Standard::Jis1994:
            return "JIS B 0601:1994";
        case Standard::Din1990:
            return "DIN 4768:1990";
        case Standard::Iso1997:
            return kIso4287;
        case Standard::Ansi1995:
            return "ASME B46.1-1995";
        case Standard::Jis2001:
            return "JIS B 0601:2001";
    }
    return kIso4287;
}

Window evaluationWindow(FilterKind filter, std::size_t measuredPoints,
                        std::size_t evaluationPoints) {
    if (measuredPoints <= evaluationPoints) return {0, measuredPoints};
    const std::size_t d = measuredPoints - evaluationPoints;
    if (filter == FilterKind::TwoRC) return {d, evaluationPoints};
    const std::size_t h = halfToEven(d);
    // With d = 1 the program's window starts at its unused entry 0; the
    // nearest real window starts at the first point.
    return {h > 0 ? h - 1 : 0, evaluationPoints};
}

std::vector<double> evaluationProfile(std::span<const double> primary, Window window,
                                      const RunConditions& c) {
    window.first = std::min(window.first, primary.size());
    window.count = std::min(window.count, primary.size() - window.first);
    std::vector<double> z(primary.begin(), primary.end());
    if (c.lambdaSUm > 0) z = gaussianMeanLine(z, c.lambdaSUm / c.pitchUm);
    if (!c.filtered()) return lessLeastSquaresLine(cut(z, window));

    const double cutOffPoints = c.cutOffMm * 1000.0 / c.pitchUm;
    const std::vector<double> mean = meanLine(z, cutOffPoints, c.filter);
    if (c.profile == ProfileKind::Waviness) {
        if (c.waveLimitMm <= 0) return lessLeastSquaresLine(cut(mean, window));
        const std::vector<double> longWave =
            meanLine(z, c.waveLimitMm * 1000.0 / c.pitchUm, c.filter);
        return difference(mean, longWave, window);
    }
    if (c.profile == ProfileKind::Din4776) {
        // ISO 13565-1: valleys below the first mean line are filled up to it
        // so that deep valleys do not pull the final mean line down.
        std::vector<double> filled(z.size());
        for (std::size_t i = 0; i < z.size(); ++i) filled[i] = std::max(z[i], mean[i]);
        return difference(z, meanLine(filled, cutOffPoints, c.filter), window);
    }
    return difference(z, mean, window);
}

std::vector<Parameter> profileParameters(std::span<const double> z, const RunConditions& c) {
    ParameterList list(c);
    if (z.empty()) return list.take();
    const bool primary = profileLetter(c.profile) == 'P';
    // Primary parameters take the evaluation length as their sampling length.
    const int sections = primary ? 1 : std::max(1, c.sections);
    const bool isoFamily = c.standard == Standard::Iso1997 || c.standard == Standard::Jis2001;
    const bool tenPoint = c.standard == Standard::Jis1982 || c.standard == Standard::Jis1994;

    const Moments m = moments(z);
    double meanPeak = 0, meanValley = 0, meanHeight = 0, largestHeight = 0;
    const std::vector<Extremes> extremes = samplingLengthExtremes(z, sections);
    for (const Extremes& e : extremes) {
        meanPeak += e.peak;
        meanValley += e.valley;
        largestHeight = std::max(largestHeight, e.peak + e.valley);
    }
    const auto count = static_cast<double>(extremes.size());
    meanPeak /= count;
    meanValley /= count;
    meanHeight = meanPeak + meanValley;
    const auto [low, high] = std::minmax_element(z.begin(), z.end());
    const double rt = *high - *low;

    list.length("a", m.meanAbsolute, kIso21920);
    list.length("q", m.rootMeanSquare, kIso21920);
    list.length("z", tenPoint ? tenPointHeight(z, sections) : meanHeight, kIso4287);
    if (c.standard == Standard::Jis1994) {
        list.length("y", largestHeight, kIso4288);
    } else if (isoFamily) {
        list.length("z1max", largestHeight, kIso4288);
    } else {
        list.length("max", largestHeight, kIso4288);
    }
    // Rp and Rv: means over the sampling lengths from ISO 4287:1997 on; the
    // older standards take the highest peak and deepest valley of the
    // evaluation length.
    list.length("p", isoFamily ? meanPeak : *high, kIso4287);
    list.length("v", isoFamily ? meanValley : -*low, kIso4287);
    list.length("t", rt, kIso21920);
    list.ratio("sk", m.skewness, "", kIso21920);
    list.ratio("ku", m.kurtosis, "", kIso21920);
    const double samplingPoints = static_cast<double>(z.size()) / sections;
    list.length("Sm", meanElementWidth(z, c.pitchUm, 0.1 * meanHeight, 0.01 * samplingPoints),
                kIso21920);
    list.ratio("dq", rootMeanSquareSlope(z, c.pitchUm), "", kIso21920);
    const MaterialRatioCurve curve(z);
    list.ratio("mr(25%" + std::string(1, profileLetter(c.profile)) + "t)",
               curve.ratioAtDepth(0.25 * rt), "%", kIso21920);
    list.length("dc(20%,80%)", curve.heightAtRatio(20) - curve.heightAtRatio(80), kIso21920);
    if (c.standard == Standard::Jis2001 && !primary) {
        list.raw(std::string(1, profileLetter(c.profile)) + "zJIS",
                 tenPointHeight(z, sections) * list.scale(), list.heightUnit(),
                 standardName(c.standard));
    }
    if (c.profile == ProfileKind::Din4776) {
        const CoreRoughness core = coreRoughness(curve);
        list.raw("Rk", core.rk * list.scale(), list.heightUnit(), kIso13565);
        list.raw("Rpk", core.rpk * list.scale(), list.heightUnit(), kIso13565);
        list.raw("Rvk", core.rvk * list.scale(), list.heightUnit(), kIso13565);
        list.raw("Mr1", core.mr1, "%", kIso13565);
        list.raw("Mr2", core.mr2, "%", kIso13565);
    }
    return list.take();
}

std::vector<Parameter> analyseRun(std::span<const double> measured,
                                  std::span<const double> instrumentEvaluation,
                                  const RunConditions& c) {
    if (measured.size() < instrumentEvaluation.size() || instrumentEvaluation.empty()) {
        return profileParameters(instrumentEvaluation, c);
    }
    const Window window = evaluationWindow(c.filter, measured.size(), instrumentEvaluation.size());
    return profileParameters(evaluationProfile(measured, window, c), c);
}

StoredAnalysis analyseStoredProfile(std::span<const double> heights, const RunConditions& c,
                                    StoredInput input) {
    StoredAnalysis result;
    if (!(c.pitchUm > 0) || !(c.cutOffMm > 0) || c.sections < 1) {
        result.error = "the spacing, cut-off and sections must be above 0";
        return result;
    }
    const double points = c.evaluationMm() * 1000.0 / c.pitchUm;
    if (!(points >= 1 && points <= static_cast<double>(heights.size()) + 0.5)) {
        result.error = "the profile (" + std::to_string(heights.size()) +
                       " points) is shorter than the evaluation length (" +
                       std::to_string(static_cast<long long>(std::lround(points))) + " points)";
        return result;
    }
    const auto count = static_cast<std::size_t>(std::lround(points));
    const Window window{(heights.size() - count) / 2, count};
    if (input == StoredInput::Primary) {
        result.evaluation = evaluationProfile(heights, window, c);
    } else {
        const std::vector<double> z = c.lambdaSUm > 0
                                          ? gaussianMeanLine(heights, c.lambdaSUm / c.pitchUm)
                                          : std::vector<double>(heights.begin(), heights.end());
        result.evaluation = cut(z, window);
    }
    result.parameters = profileParameters(result.evaluation, c);
    return result;
}

}  // namespace kt520::analysis
