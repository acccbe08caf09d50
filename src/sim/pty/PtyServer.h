#pragma once
// Serves a line peer (the simulated instrument) on a pseudo-terminal, so a
// program that opens serial ports by name can talk to it. POSIX only.
#include <chrono>
#include <string>

#include "link/LinePeer.h"

namespace kt520::sim {

class PtyServer {
  public:
    explicit PtyServer(link::LinePeer& peer);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal pair; false with the reason in `error`.
    bool open(std::string& error);
    // The path a client opens, such as /dev/pts/3.
    const std::string& devicePath() const { return devicePath_; }

    // Moves what has arrived to the peer and what the peer has sent out,
    // waiting up to `waitMs` for input. Returns false once the peer's line has
    // gone dead or the pseudo-terminal failed.
    bool serveOnce(int waitMs);
    // How long the next serveOnce may wait, at most `longestMs`: until the
    // instrument has a receive FIFO's worth of bytes out (or the last byte of
    // a reply), as a UART hands them on, so the client is not woken per byte.
    int nextWait(int longestMs);

  private:
    link::Millis now() const;

    link::LinePeer& peer_;
    int master_ = -1;
    int keepOpen_ = -1;  // our own handle on the device, so a client may come and go
    std::string devicePath_;
    std::string unsent_;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace kt520::sim
