// The drive unit: origin return and the four jog buttons. The instrument runs
// each movement itself; its replies are not read (the next command empties
// the input first).
#include "session/Session.h"

namespace kt520::session {
namespace {

// Jog buttons 1 and 2 move away from the origin, 3 and 4 towards it; 1 and 3
// slowly (speed 33), 2 and 4 fast (speed 44).
struct Jog {
    const char* speed;
    const char* direction;
};
constexpr Jog kJogs[] = {
    {"WRSPD33", "WRESP"},
    {"WRSPD44", "WRESP"},
    {"WRSPD33", "WRRTN"},
    {"WRSPD44", "WRRTN"},
};

}  // namespace

async::Task<void> Session::drive(Request request) {
    switch (request.action) {
        case Action::Origin:
            co_await link_.send("WRSPD45");
            co_await link_.send("WRRTN");
            break;
        case Action::JogPress:
            if (request.argument < 1 || request.argument > 4) break;
            co_await link_.send(kJogs[request.argument - 1].speed);
            co_await link_.send(kJogs[request.argument - 1].direction);
            break;
        case Action::JogRelease:
            co_await link_.send("WRSTP");
            break;
        default:
            break;
    }
}

}  // namespace kt520::session
