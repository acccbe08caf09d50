#include "analysis/ProfileMeasures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace kt520::analysis {

namespace {

std::size_t boundary(std::size_t k, std::size_t n, int sections) {
    return k * n / static_cast<std::size_t>(sections);
}

// Where the profile crosses the mean line between points j - 1 and j, in
// points from the first one.
double crossingAt(std::span<const double> z, std::size_t j) {
    const double before = z[j - 1], after = z[j];
    return static_cast<double>(j - 1) + before / (before - after);
}

double meanOfLargest(std::vector<double> values, std::size_t count) {
    if (values.empty()) return 0;
    count = std::min(count, values.size());
    std::partial_sort(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count),
                      values.end(), std::greater<>());
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += values[i];
    return sum / static_cast<double>(count);
}

}  // namespace

Moments moments(std::span<const double> z) {
    Moments m;
    if (z.empty()) return m;
    double sumAbs = 0, sum2 = 0, sum3 = 0, sum4 = 0;
    for (double v : z) {
        const double v2 = v * v;
        sumAbs += std::fabs(v);
        sum2 += v2;
        sum3 += v2 * v;
        sum4 += v2 * v2;
    }
    const auto n = static_cast<double>(z.size());
    m.meanAbsolute = sumAbs / n;
    m.rootMeanSquare = std::sqrt(sum2 / n);
    const double rq = m.rootMeanSquare;
    if (rq > 0) {
        m.skewness = sum3 / n / (rq * rq * rq);
        m.kurtosis = sum4 / n / (rq * rq * rq * rq);
    }
    return m;
}

std::vector<Extremes> samplingLengthExtremes(std::span<const double> z, int sections) {
    std::vector<Extremes> out;
    if (z.empty() || sections < 1) return out;
    for (int k = 0; k < sections; ++k) {
        const std::size_t from = boundary(k, z.size(), sections);
        const std::size_t to = boundary(k + 1, z.size(), sections);
        if (from == to) continue;
        const auto [low, high] = std::minmax_element(z.begin() + from, z.begin() + to);
        out.push_back({*high, -*low});
    }
    return out;
}

std::vector<Element> profileElements(std::span<const double> z) {
    std::vector<Element> elements;
    const std::size_t n = z.size();
    std::size_t first = 0;
    const auto close = [&](std::size_t end) {
        std::size_t extreme = first;
        for (std::size_t k = first; k < end; ++k)
            if (std::fabs(z[k]) > std::fabs(z[extreme])) extreme = k;
        elements.push_back({first, end, extreme, z[extreme]});
        first = end;
    };
    for (std::size_t j = 1; j < n; ++j) {
        if ((z[j - 1] <= 0 && z[j] > 0) || (z[j - 1] >= 0 && z[j] < 0)) close(j);
    }
    if (n > 0) close(n);
    return elements;
}

double elementMaximumHeight(std::span<const double> z, int sections) {
    if (sections < 1 || z.size() < static_cast<std::size_t>(sections)) return 0;
    const std::size_t length = z.size() / static_cast<std::size_t>(sections);
    std::vector<double> peak(sections, 0.0), pit(sections, 0.0);
    for (const Element& e : profileElements(z)) {
        const std::size_t k = e.extreme / length;
        if (k >= static_cast<std::size_t>(sections)) continue;
        if (e.height > 0) peak[k] = std::max(peak[k], e.height);
        if (e.height < 0) pit[k] = std::max(pit[k], -e.height);
    }
    double sum = 0;
    for (int k = 0; k < sections; ++k) sum += peak[k] + pit[k];
    return sum / sections;
}

double tenPointHeight(std::span<const double> z, int sections) {
    if (sections < 1 || z.empty()) return 0;
    std::vector<std::vector<double>> peaks(sections), valleys(sections);
    const std::vector<Element> elements = profileElements(z);
    int k = 0;
    for (const Element& e : elements) {
        while (k + 1 < sections && e.extreme >= boundary(k + 1, z.size(), sections)) ++k;
        if (e.height > 0) peaks[k].push_back(e.height);
        if (e.height < 0) valleys[k].push_back(-e.height);
    }
    double sum = 0;
    for (int s = 0; s < sections; ++s)
        sum += meanOfLargest(peaks[s], 5) + meanOfLargest(valleys[s], 5);
    return sum / sections;
}

double meanElementWidth(std::span<const double> z, double spacing, double minimumHeight,
                        double minimumWidth) {
    const std::vector<Element> elements = profileElements(z);
    // Crossings that survive the discrimination: a peak or valley too low or
    // too narrow joins the element before it, and so does the element after
    // it, which lies on the same side.
    std::vector<double> crossings;
    int side = elements.empty() ? 0 : (elements.front().height > 0 ? 1 : -1);
    for (std::size_t i = 1; i < elements.size(); ++i) {
        const Element& e = elements[i];
        const int sign = e.height > 0 ? 1 : -1;
        const bool significant = std::fabs(e.height) >= minimumHeight &&
                                 static_cast<double>(e.end - e.first) >= minimumWidth;
        if (sign == side || !significant) continue;
        crossings.push_back(crossingAt(z, e.first));
        side = sign;
    }
    // Every peak with the valley after it and every valley with the peak
    // after it is an element: the mean of c[k + 2] - c[k] over all k.
    const std::size_t m = crossings.size();
    if (m < 3) return 0;
    return (crossings[m - 1] + crossings[m - 2] - crossings[1] - crossings[0]) /
           static_cast<double>(m - 2) * spacing;
}

double rootMeanSquareSlope(std::span<const double> z, double spacing) {
    if (z.size() < 7 || spacing <= 0) return 0;
    double sum = 0;
    for (std::size_t i = 3; i + 3 < z.size(); ++i) {
        const double slope =
            (z[i + 3] - 9 * z[i + 2] + 45 * z[i + 1] - 45 * z[i - 1] + 9 * z[i - 2] - z[i - 3]) /
            (60 * spacing);
        sum += slope * slope;
    }
    return std::sqrt(sum / static_cast<double>(z.size() - 6));
}

MaterialRatioCurve::MaterialRatioCurve(std::span<const double> z) : sorted_(z.begin(), z.end()) {
    std::sort(sorted_.begin(), sorted_.end(), std::greater<>());
}

double MaterialRatioCurve::ratioAtDepth(double c) const {
    if (sorted_.empty()) return 0;
    const double level = sorted_.front() - c;
    const auto above = std::partition_point(sorted_.begin(), sorted_.end(),
                                            [level](double v) { return v >= level; });
    return 100.0 * static_cast<double>(above - sorted_.begin()) /
           static_cast<double>(sorted_.size());
}

double MaterialRatioCurve::heightAtRatio(double percent) const {
    if (sorted_.empty()) return 0;
    const auto n = static_cast<double>(sorted_.size());
    // The small allowance keeps a ratio that is exactly a curve point's (such
    // as 100 k / n given in decimals) on that point.
    const double k = std::ceil(percent * n / 100.0 - 1e-9);
    const auto index = static_cast<std::size_t>(std::clamp(k, 1.0, n)) - 1;
    return sorted_[index];
}

CoreRoughness coreRoughness(const MaterialRatioCurve& curve) {
    const std::vector<double>& h = curve.heights();
    const std::size_t n = h.size();
    CoreRoughness core;
    if (n < 3) return core;
    const auto step = 100.0 / static_cast<double>(n);  // material ratio per point
    const std::size_t span = std::max<std::size_t>(
        1, static_cast<std::size_t>(std::lround(0.4 * static_cast<double>(n))));
    std::size_t best = 0;
    double leastDrop = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i + span < n; ++i) {
        const double drop = h[i] - h[i + span];
        if (drop < leastDrop) {
            leastDrop = drop;
            best = i;
        }
    }
    const double slope = -leastDrop / (static_cast<double>(span) * step);  // um per per cent
    const double atBest = static_cast<double>(best + 1) * step;
    const double top = h[best] - slope * atBest;
    const double bottom = h[best] + slope * (100.0 - atBest);
    core.rk = top - bottom;
    double peakArea = 0, valleyArea = 0;
    std::size_t above = 0, below = 0;
    for (double v : h) {
        if (v > top) {
            peakArea += v - top;
            ++above;
        } else if (v < bottom) {
            valleyArea += bottom - v;
            ++below;
        }
    }
    core.mr1 = static_cast<double>(above) * step;
    core.mr2 = 100.0 - static_cast<double>(below) * step;
    // Rpk and Rvk: heights of the triangles on Mr1 and 100 % - Mr2 whose
    // areas are those of the peaks above the core and the valleys below it.
    core.rpk = above ? 2.0 * peakArea / static_cast<double>(above) : 0.0;
    core.rvk = below ? 2.0 * valleyArea / static_cast<double>(below) : 0.0;
    return core;
}

}  // namespace kt520::analysis
