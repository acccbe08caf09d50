#pragma once
// Statistics of one parameter over a selection of runs: count, mean, sample
// standard deviation (n - 1), extremes, and with limits the process
// capability: Cp = (U - L) / 6s with both limits, Cpk = min(U - mean,
// mean - L) / 3s with either or both.
#include <cstddef>
#include <optional>
#include <span>

#include "quality/Tolerance.h"

namespace kt520::quality {

struct Statistics {
    std::size_t n = 0;
    double mean = 0;
    std::optional<double> standardDeviation;  // from 2 values on
    double min = 0;
    double max = 0;
    std::optional<double> cp;   // both limits and a spread above 0
    std::optional<double> cpk;  // a limit and a spread above 0
};

[[nodiscard]] Statistics describe(std::span<const double> values,
                                  const std::optional<Limit>& limit = std::nullopt);

}  // namespace kt520::quality
