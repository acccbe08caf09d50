#pragma once
// The core's event loop on Qt's: callbacks at their times through one precise
// timer set to the earliest, on the real monotonic clock. Nothing polls; the
// thread sleeps in Qt's loop until a byte, a deadline or the operator wakes it.
#include <QElapsedTimer>
#include <QTimer>

#include "async/EventLoop.h"
#include "async/TimerQueue.h"

namespace kt520::async {

class QtEventLoop : public EventLoop {
  public:
    QtEventLoop();
    Millis now() const override;
    TimerId callAt(Millis at, std::function<void()> callback) override;
    void cancel(TimerId id) override;

  private:
    void runDue();
    void arm();

    QElapsedTimer clock_;
    QTimer timer_;
    TimerQueue queue_;
};

}  // namespace kt520::async
