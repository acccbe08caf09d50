#include "sim/Workpiece.h"

#include <cmath>
#include <numbers>

namespace kt520::sim {

namespace {
constexpr double kNoiseUm = 0.04;
constexpr double kBowCentreMm = 25.0;
}  // namespace

double SeededRandom::uniform() {
    // 32 random bits, never exactly 0 or 1.
    return (static_cast<double>(engine_()) + 0.5) / 4294967296.0;
}

double SeededRandom::gaussian() {
    if (hasSpare_) {
        hasSpare_ = false;
        return spare_;
    }
    const double radius = std::sqrt(-2.0 * std::log(uniform()));
    const double angle = 2.0 * std::numbers::pi * uniform();
    spare_ = radius * std::sin(angle);
    hasSpare_ = true;
    return radius * std::cos(angle);
}

Workpiece::Workpiece(std::uint32_t seed) : seed_(seed) {
    SeededRandom random(seed);
    auto around = [&](double value) { return value * (0.8 + 0.4 * random.uniform()); };
    tiltUmPerMm_ = around(0.3) * (random.uniform() < 0.5 ? -1.0 : 1.0);
    bowUmPerMm2_ = around(0.004);
    // Waviness, then a turned surface's feed marks with their harmonics, then
    // finer tool marks.
    constexpr Wave kShape[] = {{2.6, 0.7, 0},    {0.9, 0.35, 0},   {0.1, 1.0, 0},
                               {0.05, 0.45, 0},  {0.0333, 0.2, 0}, {0.021, 0.25, 0},
                               {0.0073, 0.12, 0}};
    for (const Wave& w : kShape) {
        waves_.push_back(
            {w.wavelengthMm, around(w.amplitudeUm), 2.0 * std::numbers::pi * random.uniform()});
    }
}

std::vector<float> Workpiece::sample(double startMm, double pitchMm, int count,
                                     std::uint32_t run) const {
    SeededRandom noise(seed_ ^ (run * 2654435761u));
    std::vector<float> heights(count > 0 ? count : 0);
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const double x = startMm + static_cast<double>(i) * pitchMm;
        double z = tiltUmPerMm_ * x + bowUmPerMm2_ * (x - kBowCentreMm) * (x - kBowCentreMm);
        for (const Wave& w : waves_) {
            z += w.amplitudeUm * std::sin(2.0 * std::numbers::pi * x / w.wavelengthMm + w.phase);
        }
        heights[i] = static_cast<float>(z + kNoiseUm * noise.gaussian());
    }
    return heights;
}

}  // namespace kt520::sim
