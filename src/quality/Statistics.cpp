#include "quality/Statistics.h"

#include <algorithm>
#include <cmath>

namespace kt520::quality {

Statistics describe(std::span<const double> values, const std::optional<Limit>& limit) {
    Statistics out;
    out.n = values.size();
    if (values.empty()) return out;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    out.min = *low;
    out.max = *high;
    // Two passes: the mean first, then the squares about it, which keeps the
    // small spread of a stable process from vanishing in rounding.
    double sum = 0;
    for (double v : values) sum += v;
    out.mean = sum / static_cast<double>(out.n);
    if (out.n < 2) return out;
    double squares = 0;
    for (double v : values) squares += (v - out.mean) * (v - out.mean);
    const double s = std::sqrt(squares / static_cast<double>(out.n - 1));
    out.standardDeviation = s;
    if (!limit || !(s > 0)) return out;
    if (limit->low && limit->high) out.cp = (*limit->high - *limit->low) / (6 * s);
    std::optional<double> upper, lower;
    if (limit->high) upper = (*limit->high - out.mean) / (3 * s);
    if (limit->low) lower = (out.mean - *limit->low) / (3 * s);
    if (upper && lower)
        out.cpk = std::min(*upper, *lower);
    else
        out.cpk = upper ? upper : lower;
    return out;
}

}  // namespace kt520::quality
