#include "async/Task.h"

namespace kt520::async {
namespace {

Job runToEnd(Task<void> work) {
    co_await std::move(work);
}

}  // namespace

Job Job::promise_type::get_return_object() {
    return Job(std::coroutine_handle<promise_type>::from_promise(*this));
}

Job::Job(Task<void> work) : Job(runToEnd(std::move(work))) {}

void Job::start(Ended onEnded) {
    handle_.get().promise().onEnded = std::move(onEnded);
    handle_.get().resume();
}

}  // namespace kt520::async
