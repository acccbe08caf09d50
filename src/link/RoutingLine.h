#pragma once
// One serial line whose port numbers lead to different lines: the built-in
// simulated instrument on its port, real devices on the ports mapped to them,
// nothing on the rest (opening those fails, as an absent COM port does).
#include <functional>

#include "link/SerialLine.h"

namespace kt520::link {

class RoutingLine : public SerialLine {
  public:
    // The line behind a port number, or null when nothing is there.
    using Route = std::function<SerialLine*(int portNumber)>;
    explicit RoutingLine(Route route) : route_(std::move(route)) {}

    bool open(int portNumber, std::string_view settings) override;
    void close() override;
    bool isOpen() const override { return line_ != nullptr && line_->isOpen(); }
    bool deviceReady() const override { return line_ != nullptr && line_->deviceReady(); }
    std::size_t bytesWaiting() override { return line_ != nullptr ? line_->bytesWaiting() : 0; }
    std::string read(std::size_t count) override;
    void clearInput() override;
    void write(std::string_view bytes) override;
    void notifyWhenReadable(std::size_t least, std::size_t most,
                            std::function<void()> ready) override;
    void cancelNotify() override;

  private:
    Route route_;
    SerialLine* line_ = nullptr;  // the line of the port last opened
};

}  // namespace kt520::link
