#include "link/InMemoryLine.h"

#include <algorithm>
#include <utility>

namespace kt520::link {

void InMemoryLine::attach(int portNumber, LinePeer& peer) {
    peers_[portNumber] = &peer;
}

void InMemoryLine::pullPlug() {
    peer_ = nullptr;
    input_.clear();
    arm();
}

bool InMemoryLine::open(int portNumber, std::string_view settings) {
    if (peer_ != nullptr) return true;
    const auto found = peers_.find(portNumber);
    if (found == peers_.end()) return false;
    settings_ = settings;
    peer_ = found->second;
    input_.clear();
    peer_->hostOpened(true);
    return true;
}

void InMemoryLine::close() {
    if (peer_ == nullptr) return;
    peer_->hostOpened(false);
    peer_ = nullptr;
    input_.clear();
    arm();
}

void InMemoryLine::collect() {
    if (peer_ != nullptr) input_ += peer_->takeForHost(loop_.now());
}

std::size_t InMemoryLine::bytesWaiting() {
    collect();
    return input_.size();
}

std::string InMemoryLine::read(std::size_t count) {
    collect();
    std::string taken = input_.substr(0, count);
    input_.erase(0, taken.size());
    return taken;
}

void InMemoryLine::clearInput() {
    collect();
    input_.clear();
}

void InMemoryLine::write(std::string_view bytes) {
    if (peer_ == nullptr) return;
    written_.append(bytes);
    peer_->receiveFromHost(bytes, loop_.now());
    // The answer is now on its way: a waiting reader learns when it arrives.
    arm();
}

void InMemoryLine::notifyWhenReadable(std::size_t least, std::size_t most,
                                      std::function<void()> ready) {
    cancelNotify();
    least_ = least;
    wanted_ = most;
    ready_ = std::move(ready);
    arm();
}

void InMemoryLine::cancelNotify() {
    ready_ = nullptr;
    if (timer_ != 0) loop_.cancel(std::exchange(timer_, 0));
}

void InMemoryLine::arm() {
    if (!ready_) return;
    if (timer_ != 0) loop_.cancel(std::exchange(timer_, 0));
    collect();
    std::optional<Millis> at = loop_.now();
    if (peer_ != nullptr && input_.size() < wanted_)
        at = peer_->arrivalOf(wanted_ - input_.size(), loop_.now());
    // Nothing more on its way: what has arrived is all there is to look at
    // (the whole answer may have come while the peer was busy); with nothing
    // at all, the next write arms again, or the reader's deadline comes.
    if (!at && input_.size() >= std::max<std::size_t>(least_, 1)) at = loop_.now();
    if (!at) return;
    timer_ = loop_.callAt(*at, [this] {
        timer_ = 0;
        fire();
    });
}

void InMemoryLine::fire() {
    std::function<void()> ready = std::move(ready_);
    ready_ = nullptr;
    if (ready) ready();
}

}  // namespace kt520::link
