#pragma once
// What sits at the far end of an in-memory serial line: a scripted fake in
// unit tests, the simulated instrument in the program.
#include <string>
#include <string_view>

#include "link/EventPump.h"

namespace kt520::link {

class LinePeer {
  public:
    virtual ~LinePeer() = default;
    // The host wrote these bytes at time `now`.
    virtual void receiveFromHost(std::string_view bytes, Millis now) = 0;
    // Bytes the peer has sent to the host by time `now` (removed from the peer).
    virtual std::string takeForHost(Millis now) = 0;
    // The modem-status input the host sees (DSR).
    virtual bool deviceReady() const { return true; }
    // The line was opened (true) or closed (false) by the host.
    virtual void hostOpened(bool /*open*/) {}
};

}  // namespace kt520::link
