#pragma once
// Coroutines for the exchanges with the instrument. An operation is written as
// straight-line code; every co_await marks a point where it waits for the
// line or a deadline while the event loop goes on with other work (a click,
// a repaint, a timer). Nothing ever runs the event loop from inside a wait.
//
// GCC 12 destroys twice a temporary aggregate or lambda that is created
// inside a co_await expression: give such objects a name first and move
// them in (see compute() in Worker.h for the usual case).
//
// Task<T> starts when it is awaited and hands its result (or its exception)
// to the awaiting coroutine. Job is the owned top of a chain: the session
// starts one per operation and learns when it has ended.
#include <coroutine>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

namespace kt520::async {

namespace detail {

struct PromiseBase {
    std::coroutine_handle<> continuation = std::noop_coroutine();
    std::exception_ptr error;

    std::suspend_always initial_suspend() const noexcept { return {}; }
    void unhandled_exception() noexcept { error = std::current_exception(); }
};

// At its end a task resumes whoever awaited it, without growing the stack.
struct ResumeAwaiting {
    bool await_ready() const noexcept { return false; }
    template <typename Promise>
    std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> done) const noexcept {
        return done.promise().continuation;
    }
    void await_resume() const noexcept {}
};

template <typename Promise>
class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(std::coroutine_handle<Promise> handle) : handle_(handle) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    ~OwnedHandle() { reset(); }
    void reset() {
        if (handle_) std::exchange(handle_, {}).destroy();
    }
    std::coroutine_handle<Promise> get() const { return handle_; }
    explicit operator bool() const { return static_cast<bool>(handle_); }

  private:
    std::coroutine_handle<Promise> handle_;
};

}  // namespace detail

template <typename T = void>
class [[nodiscard]] Task {
  public:
    struct promise_type : detail::PromiseBase {
        std::optional<T> value;
        Task get_return_object() {
            return Task(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        detail::ResumeAwaiting final_suspend() const noexcept { return {}; }
        template <typename U>
        void return_value(U&& result) {
            value.emplace(std::forward<U>(result));
        }
    };

    bool await_ready() const noexcept { return false; }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept {
        handle_.get().promise().continuation = awaiting;
        return handle_.get();
    }
    T await_resume() {
        promise_type& promise = handle_.get().promise();
        if (promise.error) std::rethrow_exception(promise.error);
        return std::move(*promise.value);
    }

  private:
    explicit Task(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
    detail::OwnedHandle<promise_type> handle_;
};

template <>
class [[nodiscard]] Task<void> {
  public:
    struct promise_type : detail::PromiseBase {
        Task get_return_object() {
            return Task(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        detail::ResumeAwaiting final_suspend() const noexcept { return {}; }
        void return_void() const noexcept {}
    };

    bool await_ready() const noexcept { return false; }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept {
        handle_.get().promise().continuation = awaiting;
        return handle_.get();
    }
    void await_resume() {
        promise_type& promise = handle_.get().promise();
        if (promise.error) std::rethrow_exception(promise.error);
    }

  private:
    explicit Task(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
    detail::OwnedHandle<promise_type> handle_;
};

// The owned top of a chain of tasks. start() runs it until its first wait;
// `onEnded` is called with the exception that ended it (or none) once it has
// run to its end. Destroying a Job that has not ended abandons its work: the
// suspended frames are destroyed, and so are their pending waits.
class [[nodiscard]] Job {
  public:
    using Ended = std::function<void(std::exception_ptr)>;

    Job() = default;
    Job(Task<void> work);  // NOLINT(google-explicit-constructor): a Job is made from its work

    void start(Ended onEnded);
    bool active() const { return static_cast<bool>(handle_); }

    struct promise_type {
        Ended onEnded;
        std::exception_ptr error;

        Job get_return_object();
        std::suspend_always initial_suspend() const noexcept { return {}; }
        auto final_suspend() noexcept {
            struct Report {
                bool await_ready() const noexcept { return false; }
                // The callback may destroy this Job, so it is taken out of the
                // frame first and nothing of the frame is touched after it.
                void await_suspend(std::coroutine_handle<promise_type> done) const noexcept {
                    Ended report = std::move(done.promise().onEnded);
                    const std::exception_ptr error = done.promise().error;
                    if (report) report(error);
                }
                void await_resume() const noexcept {}
            };
            return Report{};
        }
        void return_void() const noexcept {}
        void unhandled_exception() noexcept { error = std::current_exception(); }
    };

  private:
    explicit Job(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
    detail::OwnedHandle<promise_type> handle_;
};

}  // namespace kt520::async
