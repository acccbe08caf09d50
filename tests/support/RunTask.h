#pragma once
// Runs a coroutine to its end on a virtual clock and hands back its result
// (or rethrows what ended it).
#include <exception>
#include <optional>
#include <stdexcept>

#include "async/Task.h"
#include "async/VirtualLoop.h"

namespace kt520::testing {

namespace detail {
template <typename T>
async::Task<void> keep(async::Task<T> task, std::optional<T>& into) {
    into = co_await std::move(task);
}
}  // namespace detail

inline void runTask(async::VirtualLoop& loop, async::Task<void> task) {
    std::exception_ptr error;
    bool ended = false;
    async::Job job(std::move(task));
    job.start([&](std::exception_ptr thrown) {
        error = thrown;
        ended = true;
    });
    loop.runUntilIdle();
    if (error) std::rethrow_exception(error);
    if (!ended) throw std::logic_error("the task is still waiting with nothing left to run");
}

template <typename T>
T runTask(async::VirtualLoop& loop, async::Task<T> task) {
    std::optional<T> result;
    runTask(loop, detail::keep(std::move(task), result));
    return std::move(*result);
}

}  // namespace kt520::testing
