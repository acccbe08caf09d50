#include "app/RoutingSerialPort.h"

namespace kt520::app {

bool RoutingSerialPort::open() {
    if (isOpen()) return true;
    line_ = route_(portNumber_);
    if (line_ == nullptr) return false;
    line_->setSettings(settings_);
    line_->setPortNumber(portNumber_);
    return line_->open();
}

void RoutingSerialPort::close() {
    if (line_ != nullptr) line_->close();
}

void RoutingSerialPort::clearInput() {
    if (line_ != nullptr) line_->clearInput();
}

std::optional<std::uint8_t> RoutingSerialPort::readByte() {
    if (line_ == nullptr) return std::nullopt;
    return line_->readByte();
}

void RoutingSerialPort::write(std::string_view bytes) {
    if (line_ != nullptr) line_->write(bytes);
}

}  // namespace kt520::app
