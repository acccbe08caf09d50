#pragma once
// The event pump of the windowed program: every wait on the instrument lets
// the Qt event loop run, after bringing the widgets up to date with the models,
// so the window repaints, moves and takes the Stop click while a run waits.
#include <QElapsedTimer>
#include <functional>

#include "link/EventPump.h"

namespace kt520::ui::desktop {

class DesktopPump : public link::EventPump {
  public:
    DesktopPump();
    void processEvents() override;
    link::Millis now() const override;

    // Runs before the pending events, to refresh the widgets from the models.
    std::function<void()> beforeEvents;
    // Once the program has ended, every further wait unwinds the core at once.
    void endProgram() { ended_ = true; }

  private:
    QElapsedTimer clock_;
    bool ended_ = false;
};

}  // namespace kt520::ui::desktop
