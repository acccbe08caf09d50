#pragma once
// Work too long for the event loop's thread (the analysis of a long profile)
// runs on a worker, and the coroutine that waits for it goes on on the loop
// once it is done, so the window never stalls for it.
#include <coroutine>
#include <functional>
#include <memory>
#include <optional>

#include "async/EventLoop.h"

namespace kt520::async {

class Worker {
  public:
    virtual ~Worker() = default;
    // Runs `work` somewhere, then `done` on the event loop's thread.
    virtual void run(std::function<void()> work, std::function<void()> done) = 0;
};

// Runs the work at once, on the caller's thread: for the tests and the tools.
class InlineWorker : public Worker {
  public:
    explicit InlineWorker(EventLoop& loop) : loop_(loop) {}
    void run(std::function<void()> work, std::function<void()> done) override {
        work();
        loop_.post(std::move(done));
    }

  private:
    EventLoop& loop_;
};

// co_await compute(worker, function): the function runs on the worker and its
// result comes back to the coroutine. The function owns what it works on
// (captured by value); if the coroutine is abandoned meanwhile, the result is
// dropped when it comes.
template <typename R>
class [[nodiscard]] Computed {
  public:
    Computed(Worker& worker, std::function<R()> function)
        : worker_(worker), function_(std::move(function)), state_(std::make_shared<State>()) {}
    Computed(const Computed&) = delete;
    Computed& operator=(const Computed&) = delete;
    ~Computed() { state_->abandoned = true; }

    bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> waiting) {
        worker_.run(
            [state = state_, function = std::move(function_)] { state->result = function(); },
            [state = state_, waiting] {
                if (!state->abandoned) waiting.resume();
            });
    }
    R await_resume() { return std::move(*state_->result); }

  private:
    struct State {
        std::optional<R> result;  // written by the worker before `done` is posted
        bool abandoned = false;   // only touched on the loop's thread
    };
    Worker& worker_;
    std::function<R()> function_;
    std::shared_ptr<State> state_;
};

template <typename F>
auto compute(Worker& worker, F function) {
    using R = decltype(function());
    return Computed<R>(worker, std::function<R()>(std::move(function)));
}

}  // namespace kt520::async
