#pragma once
// An event loop on a virtual clock: time jumps straight to the next callback.
// The tests, the benchmarks that count rather than time, and the fuzz
// targets run the program's core on it.
#include "async/EventLoop.h"
#include "async/TimerQueue.h"

namespace kt520::async {

class VirtualLoop : public EventLoop {
  public:
    Millis now() const override { return now_; }
    TimerId callAt(Millis at, std::function<void()> callback) override;
    void cancel(TimerId id) override { queue_.cancel(id); }

    // Runs callbacks in time order until none is left, or until the clock
    // would pass `limit`. False when callbacks were still due at the limit.
    bool runUntilIdle(Millis limit = Millis::max());
    // Runs everything due up to `until`, then leaves the clock there.
    void runUntil(Millis until);
    void runFor(Millis span) { runUntil(now_ + span); }

  private:
    bool runNext(Millis limit);
    TimerQueue queue_;
    Millis now_{0};
};

}  // namespace kt520::async
