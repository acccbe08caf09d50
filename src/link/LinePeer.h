#pragma once
// What sits at the far end of an in-memory serial line: the simulated
// instrument in the program, a scripted instrument in the tests.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "async/EventLoop.h"

namespace kt520::link {

using async::Millis;

inline constexpr Millis kArrivalPause{5};

class LinePeer {
  public:
    virtual ~LinePeer() = default;
    // The host wrote these bytes at time `now`.
    virtual void receiveFromHost(std::string_view bytes, Millis now) = 0;
    // The bytes that have reached the host by `now` (removed from the peer).
    virtual std::string takeForHost(Millis now) = 0;
    // When `count` more bytes will have reached the host; when fewer are on
    // their way, or they pause on the way for more than kArrivalPause before
    // the count-th, when the last byte before that will have; none when no
    // byte is on its way. (A reader woken so learns of every pause, and its
    // bound on the time between two bytes holds.)
    virtual std::optional<Millis> arrivalOf(std::size_t count, Millis now) = 0;
    // The modem-status input the host sees (DSR).
    virtual bool deviceReady() const { return true; }
    // The host opened (true) or closed (false) the line.
    virtual void hostOpened(bool /*open*/) {}
};

}  // namespace kt520::link
