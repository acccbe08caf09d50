#pragma once
// The one event loop the program runs on, as the core sees it: a clock and
// callbacks at given times. The Qt layer runs it on the window's event loop
// and the real clock; the tests run it on a virtual clock, so a measurement of
// minutes takes no real time and always ends the same way.
#include <chrono>
#include <cstdint>
#include <functional>

namespace kt520::async {

using Millis = std::chrono::milliseconds;

class EventLoop {
  public:
    using TimerId = std::uint64_t;

    virtual ~EventLoop() = default;

    // Monotonic time since an arbitrary start.
    virtual Millis now() const = 0;
    // Runs `callback` on the loop at `at`, or as soon after it as the loop can;
    // callbacks due at the same time run in the order they were asked for.
    virtual TimerId callAt(Millis at, std::function<void()> callback) = 0;
    // Forgets a callback that has not run yet; nothing happens when it has.
    virtual void cancel(TimerId id) = 0;

    // On the loop's next round, after what is already due.
    TimerId post(std::function<void()> callback) { return callAt(now(), std::move(callback)); }
};

}  // namespace kt520::async
