#pragma once
// Correlation of a profile with a pair of weighting functions, directly
// where that is cheap and through a radix-2 FFT where it is not.
#include <span>
#include <vector>

namespace kt520::analysis {

struct CorrelationPair {
    std::vector<double> first;
    std::vector<double> second;
};

// out[i] = sum over k = -h .. h of kernel[k + h] * signal[i + k], with the
// signal taken as zero outside its points; both kernels have 2h + 1 weights.
// Both outputs have the signal's length.
[[nodiscard]] CorrelationPair correlate(std::span<const double> signal,
                                        std::span<const double> firstKernel,
                                        std::span<const double> secondKernel);

// The same through the FFT whatever the sizes (the benchmark and the tests
// compare the two ways).
[[nodiscard]] CorrelationPair correlateByFft(std::span<const double> signal,
                                             std::span<const double> firstKernel,
                                             std::span<const double> secondKernel);

}  // namespace kt520::analysis
