// The filters' transmission against their closed forms, measured on sampled
// sines far from the profile's ends; the end zones on a straight line.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "analysis/Correlation.h"
#include "analysis/Filters.h"

namespace kt520::analysis {
namespace {

constexpr double kPi = std::numbers::pi;

std::vector<double> sine(std::size_t n, double wavelengthPoints, double phase = 0.0) {
    std::vector<double> z(n);
    for (std::size_t i = 0; i < n; ++i) z[i] = std::sin(2 * kPi * i / wavelengthPoints + phase);
    return z;
}

// What a filter leaves of a unit sine as roughness, amplitude and phase (the
// phasor's absolute value and argument), measured over four wavelengths
// after a run-in of the Gaussian kernel's reach, or of ten cut-offs for the
// exponential tails of the 2RC filters.
std::complex<double> roughness(FilterKind kind, double cutOffPoints, double ratio) {
    const double wavelength = ratio * cutOffPoints;
    const auto runIn =
        static_cast<std::size_t>((kind == FilterKind::Gaussian ? 1 : 10) * cutOffPoints + 1);
    const auto length = static_cast<std::size_t>(std::lround(4 * wavelength));
    const std::vector<double> z = sine(2 * runIn + length, wavelength);
    const std::vector<double> line = meanLine(z, cutOffPoints, kind);
    std::complex<double> sum;
    for (std::size_t i = runIn; i < runIn + length; ++i) {
        const double t = 2 * kPi * i / wavelength;
        sum += (z[i] - line[i]) * std::complex<double>(std::sin(t), std::cos(t));
    }
    return 2.0 * sum / static_cast<double>(length);
}

TEST(FilterTransmission, GaussianMeanLinePassesItsClosedFormFromAQuarterToFiveCutOffs) {
    const double alpha = gaussianAlpha();
    for (double cutOff : {1600.0, 5333.3}) {
        for (double ratio : {0.25, 0.4, 0.5, 0.8, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 5.0}) {
            const double expected = std::exp(-kPi * std::pow(alpha / ratio, 2));
            EXPECT_NEAR(1 - std::abs(roughness(FilterKind::Gaussian, cutOff, ratio)), expected,
                        1e-4)
                << cutOff << " points, lambda = " << ratio << " cut-offs";
        }
    }
}

TEST(FilterTransmission, GaussianHasNoPassbandAtTwoToEightPointsPerWavelength) {
    for (double cutOff : {1600.0, 5333.3}) {
        for (int points = 2; points <= 8; ++points) {
            const std::vector<double> z = sine(4 * static_cast<std::size_t>(cutOff), points, 0.3);
            const std::vector<double> line = gaussianMeanLine(z, cutOff);
            double largest = 0;  // where the whole kernel lies on the profile
            for (std::size_t i = 1 + static_cast<std::size_t>(cutOff); i + cutOff + 1 < z.size();
                 ++i)
                largest = std::max(largest, std::fabs(line[i]));
            EXPECT_LT(largest, 1e-4) << cutOff << " points, " << points << " points a wave";
        }
    }
}

// Two RC stages: roughness transmission x^2 / (1 + x^2), x = sqrt 3 lc / l,
// 75 % at the cut-off, where the roughness leads by pi - 2 atan(sqrt 3) =
// pi / 3; the phase-corrected form has the same amplitude and no shift.
TEST(FilterTransmission, TwoRCAndItsPhaseCorrectedFormPassThreeQuartersAtTheCutOff) {
    for (FilterKind kind : {FilterKind::TwoRC, FilterKind::PhaseCorrected2RC}) {
        for (double ratio : {0.25, 0.5, 1.0, 2.0, 5.0}) {
            const double x2 = 3.0 / (ratio * ratio);
            EXPECT_NEAR(std::abs(roughness(kind, 1600, ratio)), x2 / (1 + x2), 1e-4)
                << static_cast<int>(kind) << " lambda = " << ratio << " cut-offs";
        }
        EXPECT_NEAR(std::arg(roughness(kind, 1600, 1.0)), kind == FilterKind::TwoRC ? kPi / 3 : 0,
                    1e-3)
            << static_cast<int>(kind);
    }
}

// The regression end zones follow a straight line to the very ends, where a
// renormalised kernel would bend away; also on a profile shorter than the
// kernel.
TEST(FilterEnds, GaussianMeanLineOfAStraightLineIsTheLineToTheEnds) {
    for (std::size_t n : {100u, 5000u}) {
        std::vector<double> z(n);
        for (std::size_t i = 0; i < n; ++i) z[i] = 3.0 - 0.002 * static_cast<double>(i);
        const std::vector<double> line = gaussianMeanLine(z, 1600);
        for (std::size_t i = 0; i < n; ++i) ASSERT_NEAR(line[i], z[i], 1e-9) << n << " " << i;
    }
}

TEST(Correlation, DirectSumAndFftAgree) {
    std::mt19937 random(7);
    std::normal_distribution<double> normal;
    std::vector<double> signal(300), a(41), b(41);
    for (double& v : signal) v = normal(random);
    for (double& v : a) v = normal(random);
    for (double& v : b) v = normal(random);
    const CorrelationPair direct = correlate(signal, a, b);
    const CorrelationPair byFft = correlateByFft(signal, a, b);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        ASSERT_NEAR(direct.first[i], byFft.first[i], 1e-12);
        ASSERT_NEAR(direct.second[i], byFft.second[i], 1e-12);
    }
    std::vector<double> expected(3, 0.0);  // out[1] = sum_k a[k + h] signal[1 + k]
    for (int k = -1; k <= 1; ++k) expected[1] += a[k + 20] * signal[1 + k];
    EXPECT_NEAR(correlate({signal.data(), 3}, {a.data() + 19, 3}, {b.data() + 19, 3}).first[1],
                expected[1], 1e-12);
}

}  // namespace
}  // namespace kt520::analysis
