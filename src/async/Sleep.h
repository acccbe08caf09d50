#pragma once
// co_await sleepUntil(loop, at): the coroutine goes on at `at` (at once when
// that time has passed). Abandoning the coroutine cancels the wake-up.
#include <coroutine>

#include "async/EventLoop.h"

namespace kt520::async {

class [[nodiscard]] SleepUntil {
  public:
    SleepUntil(EventLoop& loop, Millis at) : loop_(loop), at_(at) {}
    SleepUntil(const SleepUntil&) = delete;
    SleepUntil& operator=(const SleepUntil&) = delete;
    ~SleepUntil() {
        if (timer_ != 0) loop_.cancel(timer_);
    }

    bool await_ready() const { return loop_.now() >= at_; }
    void await_suspend(std::coroutine_handle<> waiting) {
        timer_ = loop_.callAt(at_, [this, waiting] {
            timer_ = 0;
            waiting.resume();
        });
    }
    void await_resume() const noexcept {}

  private:
    EventLoop& loop_;
    Millis at_;
    EventLoop::TimerId timer_ = 0;
};

inline SleepUntil sleepUntil(EventLoop& loop, Millis at) {
    return SleepUntil(loop, at);
}

}  // namespace kt520::async
