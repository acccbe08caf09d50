#pragma once
// The drive unit's motion commands: origin return and the four jog buttons.
// The instrument runs the movement itself; nothing is kept here, and the
// replies are left unread (the next command empties the receive buffer).
#include "link/InstrumentLink.h"

namespace kt520::link {

class DriveUnit {
  public:
    explicit DriveUnit(InstrumentLink& link) : link_(link) {}

    // Back to the origin at speed 45; the instrument stops there by itself.
    void originReturn();
    // Jog button 1-4 held down: 1 and 2 escape, 3 and 4 return; 1 and 3 slow
    // (speed 33), 2 and 4 fast (speed 44). Any other index sends nothing.
    void jogPress(int index);
    // Any jog button let go.
    void jogRelease();

  private:
    InstrumentLink& link_;
};

}  // namespace kt520::link
