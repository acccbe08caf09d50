#pragma once
// The surface the simulated stylus runs over: form and tilt, waviness and
// roughness as sums of sinusoids, and the stylus noise of each run. Seeded,
// and reproducible on every standard library (the normal variates come from
// std::mt19937 through our own Box-Muller transform).
#include <cstdint>
#include <random>
#include <vector>

namespace kt520::sim {

class SeededRandom {
  public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    double uniform();   // in (0, 1)
    double gaussian();  // mean 0, deviation 1

  private:
    std::mt19937 engine_;
    double spare_ = 0;
    bool hasSpare_ = false;
};

class Workpiece {
  public:
    explicit Workpiece(std::uint32_t seed);
    // Heights in micrometres at `count` points from `startMm` on, `pitchMm`
    // apart; `run` seeds the noise so that every run differs reproducibly.
    std::vector<float> sample(double startMm, double pitchMm, int count, std::uint32_t run) const;

  private:
    struct Wave {
        double wavelengthMm;
        double amplitudeUm;
        double phase;
    };
    std::uint32_t seed_;
    double tiltUmPerMm_;
    double bowUmPerMm2_;
    std::vector<Wave> waves_;
};

}  // namespace kt520::sim
