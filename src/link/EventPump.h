#pragma once
// The event pump and clock that every wait on the instrument goes through.
// The desktop pumps the Qt event loop; tests advance a simulated clock, so
// waits are deterministic and cost no real time.
#include <chrono>

namespace kt520::link {

using Millis = std::chrono::milliseconds;

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Lets pending window events run; may block briefly (a few ms at most)
    // when nothing is pending, so polling loops do not spin.
    virtual void processEvents() = 0;
    // Monotonic time since an arbitrary start.
    virtual Millis now() const = 0;
};

}  // namespace kt520::link
