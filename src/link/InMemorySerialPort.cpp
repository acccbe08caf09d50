#include "link/InMemorySerialPort.h"

namespace kt520::link {

void InMemorySerialPort::attach(int portNumber, LinePeer& peer) {
    peers_[portNumber] = &peer;
}

void InMemorySerialPort::pullPlug() {
    peer_ = nullptr;
    input_.clear();
}

bool InMemorySerialPort::open() {
    if (peer_ != nullptr) return true;
    const auto found = peers_.find(portNumber_);
    if (found == peers_.end()) return false;
    peer_ = found->second;
    input_.clear();
    peer_->hostOpened(true);
    return true;
}

void InMemorySerialPort::close() {
    if (peer_ == nullptr) return;
    peer_->hostOpened(false);
    peer_ = nullptr;
    input_.clear();
}

void InMemorySerialPort::collect() {
    if (peer_ == nullptr) return;
    const std::string arrived = peer_->takeForHost(pump_.now());
    input_.insert(input_.end(), arrived.begin(), arrived.end());
}

int InMemorySerialPort::bytesWaiting() {
    collect();
    return static_cast<int>(input_.size());
}

void InMemorySerialPort::clearInput() {
    collect();
    input_.clear();
}

std::optional<std::uint8_t> InMemorySerialPort::readByte() {
    collect();
    if (input_.empty()) return std::nullopt;
    const auto byte = static_cast<std::uint8_t>(input_.front());
    input_.pop_front();
    return byte;
}

void InMemorySerialPort::write(std::string_view bytes) {
    if (peer_ == nullptr) return;
    written_.append(bytes);
    peer_->receiveFromHost(bytes, pump_.now());
}

}  // namespace kt520::link
