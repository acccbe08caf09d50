#include "async/TimerQueue.h"

namespace kt520::async {

EventLoop::TimerId TimerQueue::add(Millis at, std::function<void()> callback) {
    const EventLoop::TimerId id = ++lastId_;
    entries_.emplace(Key{at, id}, std::move(callback));
    dueOf_.emplace(id, at);
    return id;
}

void TimerQueue::cancel(EventLoop::TimerId id) {
    const auto found = dueOf_.find(id);
    if (found == dueOf_.end()) return;
    entries_.erase(Key{found->second, id});
    dueOf_.erase(found);
}

std::optional<Millis> TimerQueue::next() const {
    if (entries_.empty()) return std::nullopt;
    return entries_.begin()->first.first;
}

std::optional<std::function<void()>> TimerQueue::takeDue(Millis now) {
    if (entries_.empty() || entries_.begin()->first.first > now) return std::nullopt;
    auto first = entries_.begin();
    std::function<void()> callback = std::move(first->second);
    dueOf_.erase(first->first.second);
    entries_.erase(first);
    return callback;
}

}  // namespace kt520::async
