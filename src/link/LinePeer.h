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

class LinePeer {
  public:
    virtual ~LinePeer() = default;
    // The host wrote these bytes at time `now`.
    virtual void receiveFromHost(std::string_view bytes, Millis now) = 0;
    // The bytes that have reached the host by `now` (removed from the peer).
    virtual std::string takeForHost(Millis now) = 0;
    // When `count` more bytes will have reached the host; when fewer are on
    // their way, when the last of them will have; none when none is.
    virtual std::optional<Millis> arrivalOf(std::size_t count, Millis now) = 0;
    // The modem-status input the host sees (DSR).
    virtual bool deviceReady() const { return true; }
    // The host opened (true) or closed (false) the line.
    virtual void hostOpened(bool /*open*/) {}
};

}  // namespace kt520::link
