// Statistics against a calculation done here another way: the variance from
// the sums of values and squares (the textbook one-pass form, in long double).
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "quality/Statistics.h"

namespace kt520::quality {
namespace {

TEST(Statistics, AgreeWithAnIndependentCalculation) {
    std::mt19937 random(42);
    std::normal_distribution<double> ra(0.8, 0.05);
    std::vector<double> values(250);
    for (double& v : values) v = ra(random);

    long double sum = 0, squares = 0;
    for (double v : values) {
        sum += v;
        squares += static_cast<long double>(v) * v;
    }
    const long double n = values.size();
    const double mean = static_cast<double>(sum / n);
    const double s = static_cast<double>(std::sqrt((squares - sum * sum / n) / (n - 1)));
    const Limit limit{0.6, 1.1, Rule::SixteenPercent};

    const Statistics stats = describe(values, limit);
    EXPECT_EQ(stats.n, values.size());
    EXPECT_NEAR(stats.mean, mean, 1e-12);
    ASSERT_TRUE(stats.standardDeviation);
    EXPECT_NEAR(*stats.standardDeviation, s, 1e-9);
    EXPECT_EQ(stats.min, *std::min_element(values.begin(), values.end()));
    EXPECT_EQ(stats.max, *std::max_element(values.begin(), values.end()));
    ASSERT_TRUE(stats.cp && stats.cpk);
    EXPECT_NEAR(*stats.cp, 0.5 / (6 * s), 1e-9);
    EXPECT_NEAR(*stats.cpk, std::min(1.1 - mean, mean - 0.6) / (3 * s), 1e-9);

    // An upper limit alone gives Cpk from it, and no Cp.
    const Statistics upper = describe(values, Limit{std::nullopt, 1.1, Rule::Max});
    EXPECT_FALSE(upper.cp);
    EXPECT_NEAR(*upper.cpk, (1.1 - mean) / (3 * s), 1e-9);
}

TEST(Statistics, OneValueHasNoSpreadAndNoCapability) {
    const std::vector<double> one{0.7};
    const Statistics stats = describe(one, Limit{0.5, 1.0, Rule::SixteenPercent});
    EXPECT_EQ(stats.n, 1u);
    EXPECT_EQ(stats.mean, 0.7);
    EXPECT_FALSE(stats.standardDeviation);
    EXPECT_FALSE(stats.cpk);
}

}  // namespace
}  // namespace kt520::quality
