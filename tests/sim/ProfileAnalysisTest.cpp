// The simulated instrument's calculation: the evaluation profile and the
// parameters, checked on profiles whose answers are known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sim/ProfileAnalysis.h"

namespace kt520::sim {
namespace {

std::vector<float> sine(int count, double wavelengthPoints, double amplitude) {
    std::vector<float> heights(count);
    for (int i = 0; i < count; ++i) {
        heights[i] =
            static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * i / wavelengthPoints));
    }
    return heights;
}

TEST(ResultFields, SineWaveParametersInMicrometresAndMicroinches) {
    MeasuringConditions c;
    c.sections = '5';
    const std::vector<float> wave = sine(16000, 160.0, 2.0);
    std::vector<std::string> fields = resultFields(wave, c);
    ASSERT_EQ(fields.size(), 9u);
    EXPECT_NEAR(std::stod(fields[0]), 4.0 / std::numbers::pi, 0.002);  // Ra = 2a/pi
    EXPECT_NEAR(std::stod(fields[1]), 4.0, 0.002);                     // Ry
    EXPECT_NEAR(std::stod(fields[2]), 4.0, 0.002);                     // Rz
    EXPECT_NEAR(std::stod(fields[3]), std::sqrt(2.0), 0.002);          // Rq = a/sqrt 2
    EXPECT_NEAR(std::stod(fields[4]), 4.0, 0.002);                     // Rt
    EXPECT_NEAR(std::stod(fields[7]), 0.0, 0.002);                     // Rsk
    EXPECT_NEAR(std::stod(fields[8]), 1.5, 0.002);                     // Rku
    EXPECT_EQ(fields[0].size() - fields[0].find('.'), 4u);             // three decimals

    c.unit = '2';
    fields = resultFields(wave, c);
    EXPECT_NEAR(std::stod(fields[0]), 4.0 / std::numbers::pi * 39.37, 0.05);
    EXPECT_NEAR(std::stod(fields[8]), 1.5, 0.002);  // not a height: no unit
}

TEST(EvaluationProfile, RoughnessLosesTheTiltAndPKeepsTheShape) {
    MeasuringConditions c;  // R, cut-off 0.8 mm
    c.filter = '3';         // GAUSS: no phase shift
    const SamplingPlan plan = planSampling(c, 50.0);
    std::vector<float> measured(plan.tracedPoints);
    const double cutOffPoints = c.cutOffMm() / plan.pitchMm;
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const double x = static_cast<double>(i);
        measured[i] = static_cast<float>(0.001 * x +
                                         std::sin(2 * std::numbers::pi * x / (cutOffPoints / 10)));
    }
    const std::vector<float> roughness = evaluationProfile(measured, plan, c);
    ASSERT_EQ(static_cast<int>(roughness.size()), plan.evaluationPoints);
    double mean = 0;
    for (float v : roughness) mean += v;
    EXPECT_NEAR(mean / roughness.size(), 0.0, 0.01);  // the 5 um tilt is gone
    EXPECT_NEAR(roughness.front(), measured[plan.leadPoints] - 0.001 * plan.leadPoints, 0.05);

    c.profile = '1';
    c.filter = '4';
    const std::vector<float> primary = evaluationProfile(measured, planSampling(c, 50.0), c);
    EXPECT_NEAR(primary[100] - primary[0],
                measured[plan.leadPoints + 100] - measured[plan.leadPoints], 0.15);
}

}  // namespace
}  // namespace kt520::sim
