#include "async/qt/QtEventLoop.h"

#include <algorithm>

namespace kt520::async {

QtEventLoop::QtEventLoop() {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { runDue(); });
}

Millis QtEventLoop::now() const {
    return Millis{clock_.elapsed()};
}

EventLoop::TimerId QtEventLoop::callAt(Millis at, std::function<void()> callback) {
    const TimerId id = queue_.add(at, std::move(callback));
    arm();
    return id;
}

void QtEventLoop::cancel(TimerId id) {
    queue_.cancel(id);
    arm();
}

// One callback at a time: each may add or cancel others. After a handful
// the window's own events get their turn before the rest.
void QtEventLoop::runDue() {
    constexpr int kRound = 32;
    for (int i = 0; i < kRound; ++i) {
        auto callback = queue_.takeDue(now());
        if (!callback) break;
        (*callback)();
    }
    arm();
}

void QtEventLoop::arm() {
    const auto next = queue_.next();
    if (!next) {
        timer_.stop();
        return;
    }
    const auto wait = std::max<Millis::rep>(0, (*next - now()).count());
    timer_.start(static_cast<int>(std::min<Millis::rep>(wait, 24L * 3600 * 1000)));
}

}  // namespace kt520::async
