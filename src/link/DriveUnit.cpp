#include "link/DriveUnit.h"

namespace kt520::link {

void DriveUnit::originReturn() {
    link_.sendCommand("WRSPD45");
    if (link_.lineFailed()) return;  // a dead line: one message, not two waits
    link_.sendCommand("WRRTN");
}

void DriveUnit::jogPress(int index) {
    if (index < 1 || index > 4) return;
    const bool fast = index == 2 || index == 4;
    const bool towardsOrigin = index >= 3;
    link_.sendCommand(fast ? "WRSPD44" : "WRSPD33");
    if (link_.lineFailed()) return;
    link_.sendCommand(towardsOrigin ? "WRRTN" : "WRESP");
}

void DriveUnit::jogRelease() {
    link_.sendCommand("WRSTP");
}

}  // namespace kt520::link
