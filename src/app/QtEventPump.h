#pragma once
// The event pump on real time for the program itself: lets Qt deliver what is
// pending, then sleeps until the next event or for a couple of milliseconds,
// so that the link's polling loops neither spin nor lag behind the line.
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

#include "link/EventPump.h"

namespace kt520::app {

class QtEventPump : public link::EventPump {
  public:
    QtEventPump();
    void processEvents() override;
    link::Millis now() const override;

    // Runs at the end of every round; the headless driver delivers its timed
    // actions here, as a person's clicks arrive while the program waits.
    std::function<void()> onEvents;

  private:
    QElapsedTimer clock_;
    QTimer wake_;
};

}  // namespace kt520::app
