#include "async/VirtualLoop.h"

#include <algorithm>

namespace kt520::async {

EventLoop::TimerId VirtualLoop::callAt(Millis at, std::function<void()> callback) {
    return queue_.add(std::max(at, now_), std::move(callback));
}

bool VirtualLoop::runNext(Millis limit) {
    const auto due = queue_.next();
    if (!due || *due > limit) return false;
    now_ = std::max(now_, *due);
    if (auto callback = queue_.takeDue(now_)) (*callback)();
    return true;
}

bool VirtualLoop::runUntilIdle(Millis limit) {
    while (runNext(limit)) {
    }
    return queue_.empty();
}

void VirtualLoop::runUntil(Millis until) {
    while (runNext(until)) {
    }
    now_ = std::max(now_, until);
}

}  // namespace kt520::async
