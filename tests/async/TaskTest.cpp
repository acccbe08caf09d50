// Coroutine tasks on the virtual clock: results and exceptions travel up the
// chain, waits end at their time, and an abandoned job leaves nothing behind.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "async/Sleep.h"
#include "support/RunTask.h"

namespace kt520::async {
namespace {

using testing::runTask;

Task<int> later(EventLoop& loop, Millis at, int value) {
    co_await sleepUntil(loop, at);
    co_return value;
}

Task<int> sum(EventLoop& loop) {
    const int first = co_await later(loop, Millis{10}, 2);
    const int second = co_await later(loop, Millis{5}, 3);  // already past: no wait
    co_return first + second;
}

Task<void> fails(EventLoop& loop) {
    co_await sleepUntil(loop, Millis{7});
    throw std::runtime_error("line gone");
}

TEST(Task, ResultsAndExceptionsReachTheAwaiterAtTheirTime) {
    VirtualLoop loop;
    EXPECT_EQ(runTask(loop, sum(loop)), 5);
    EXPECT_EQ(loop.now(), Millis{10});
    EXPECT_THROW(runTask(loop, fails(loop)), std::runtime_error);
}

TEST(VirtualLoop, RunsCallbacksInTimeOrderAndEqualTimesInTheOrderAsked) {
    VirtualLoop loop;
    std::vector<std::string> ran;
    loop.callAt(Millis{20}, [&] { ran.push_back("b"); });
    loop.callAt(Millis{10}, [&] { ran.push_back("a"); });
    const auto dropped = loop.callAt(Millis{15}, [&] { ran.push_back("never"); });
    loop.callAt(Millis{20}, [&] { ran.push_back("c"); });
    loop.cancel(dropped);
    loop.runUntil(Millis{20});
    EXPECT_EQ(ran, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Job, AbandonedJobCancelsItsWaitAndNeverReports) {
    VirtualLoop loop;
    bool reported = false;
    {
        Job job(fails(loop));
        job.start([&](std::exception_ptr) { reported = true; });
        EXPECT_TRUE(job.active());
    }
    EXPECT_TRUE(loop.runUntilIdle());  // nothing left: the wait went with the job
    EXPECT_FALSE(reported);
}

}  // namespace
}  // namespace kt520::async
