#include "link/RoutingLine.h"

namespace kt520::link {

bool RoutingLine::open(int portNumber, std::string_view settings) {
    if (isOpen()) return true;
    line_ = route_(portNumber);
    if (line_ != nullptr && line_->open(portNumber, settings)) return true;
    line_ = nullptr;
    return false;
}

void RoutingLine::close() {
    if (line_ != nullptr) line_->close();
}

std::string RoutingLine::read(std::size_t count) {
    return line_ != nullptr ? line_->read(count) : std::string();
}

void RoutingLine::clearInput() {
    if (line_ != nullptr) line_->clearInput();
}

void RoutingLine::write(std::string_view bytes) {
    if (line_ != nullptr) line_->write(bytes);
}

void RoutingLine::notifyWhenReadable(std::size_t least, std::size_t most,
                                     std::function<void()> ready) {
    // With no line there is nothing to wait for: the reader's deadline decides.
    if (line_ != nullptr) line_->notifyWhenReadable(least, most, std::move(ready));
}

void RoutingLine::cancelNotify() {
    if (line_ != nullptr) line_->cancelNotify();
}

}  // namespace kt520::link
