#pragma once
// The callbacks an event loop has been asked for, earliest first. Shared by
// the loop implementations so that both order their callbacks alike.
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "async/EventLoop.h"

namespace kt520::async {

class TimerQueue {
  public:
    EventLoop::TimerId add(Millis at, std::function<void()> callback);
    void cancel(EventLoop::TimerId id);

    // When the earliest callback is due; none when the queue is empty.
    std::optional<Millis> next() const;
    // Takes out the earliest callback due at or before `now`, if any.
    std::optional<std::function<void()>> takeDue(Millis now);
    bool empty() const { return entries_.empty(); }

  private:
    using Key = std::pair<Millis, EventLoop::TimerId>;
    std::map<Key, std::function<void()>> entries_;
    std::unordered_map<EventLoop::TimerId, Millis> dueOf_;
    EventLoop::TimerId lastId_ = 0;
};

}  // namespace kt520::async
