#pragma once
// An event pump on a simulated clock: every processEvents() moves time on by a
// fixed step and runs the hook (where a test can click Stop mid-run). Waits on
// the instrument then cost no real time and always end the same way.
#include <functional>

#include "link/EventPump.h"

namespace kt520::link {

class SimulatedPump : public EventPump {
  public:
    explicit SimulatedPump(Millis step = Millis{1}) : step_(step) {}
    void processEvents() override {
        now_ += step_;
        ++rounds_;
        if (onEvents) onEvents();
    }
    Millis now() const override { return now_; }
    void advance(Millis by) { now_ += by; }
    long long rounds() const { return rounds_; }

    std::function<void()> onEvents;

  private:
    Millis step_;
    Millis now_{0};
    long long rounds_ = 0;
};

}  // namespace kt520::link
