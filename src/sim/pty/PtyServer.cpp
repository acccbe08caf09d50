#include "sim/pty/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kt520::sim {

PtyServer::PtyServer(link::LinePeer& peer)
    : peer_(peer), started_(std::chrono::steady_clock::now()) {}

PtyServer::~PtyServer() {
    if (keepOpen_ >= 0) ::close(keepOpen_);
    if (master_ >= 0) ::close(master_);
}

bool PtyServer::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    devicePath_ = name;
    keepOpen_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (keepOpen_ < 0) {
        error = "cannot open " + devicePath_ + ": " + std::strerror(errno);
        return false;
    }
    // Raw bytes both ways until the client sets its own line settings.
    termios settings{};
    if (::tcgetattr(keepOpen_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(keepOpen_, TCSANOW, &settings);
    }
    peer_.hostOpened(true);
    return true;
}

link::Millis PtyServer::now() const {
    return std::chrono::duration_cast<link::Millis>(std::chrono::steady_clock::now() - started_);
}

int PtyServer::nextWait(int longestMs) {
    constexpr std::size_t kFifoBytes = 16;
    if (!unsent_.empty()) return 1;  // the client has not taken everything yet
    const link::Millis now = this->now();
    const auto due = peer_.arrivalOf(kFifoBytes, now);
    if (!due) return longestMs;
    return static_cast<int>(std::clamp<link::Millis::rep>((*due - now).count(), 0, longestMs));
}

bool PtyServer::serveOnce(int waitMs) {
    pollfd ready{master_, POLLIN, 0};
    if (::poll(&ready, 1, waitMs) < 0 && errno != EINTR) return false;
    if (ready.revents & POLLIN) {
        char buffer[4096];
        const ssize_t got = ::read(master_, buffer, sizeof buffer);
        if (got > 0)
            peer_.receiveFromHost(std::string_view(buffer, static_cast<std::size_t>(got)), now());
        if (got < 0 && errno != EAGAIN && errno != EINTR) return false;
    }
    unsent_ += peer_.takeForHost(now());
    while (!unsent_.empty()) {
        const ssize_t wrote = ::write(master_, unsent_.data(), unsent_.size());
        if (wrote < 0) {
            if (errno == EAGAIN || errno == EINTR) break;  // the client is not reading yet
            return false;
        }
        unsent_.erase(0, static_cast<std::size_t>(wrote));
    }
    return peer_.deviceReady() || !unsent_.empty();
}

}  // namespace kt520::sim
