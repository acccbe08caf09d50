#pragma once
// One serial port whose port numbers lead to different lines: the built-in
// simulator on its port, real devices on the ports mapped to them, nothing on
// the rest (opening those fails, as an absent COM port does).
#include <functional>
#include <string>

#include "link/SerialPort.h"

namespace kt520::app {

class RoutingSerialPort : public link::SerialPort {
  public:
    // The line behind a port number, or null when nothing is there.
    using Route = std::function<link::SerialPort*(int portNumber)>;
    explicit RoutingSerialPort(Route route) : route_(std::move(route)) {}

    void setSettings(std::string_view settings) override { settings_ = settings; }
    void setPortNumber(int portNumber) override { portNumber_ = portNumber; }
    int portNumber() const override { return portNumber_; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return line_ != nullptr && line_->isOpen(); }
    bool deviceReady() const override { return line_ != nullptr && line_->deviceReady(); }
    int bytesWaiting() override { return line_ != nullptr ? line_->bytesWaiting() : 0; }
    void clearInput() override;
    std::optional<std::uint8_t> readByte() override;
    void write(std::string_view bytes) override;
    int bytesToSend() override { return line_ != nullptr ? line_->bytesToSend() : 0; }

  private:
    Route route_;
    link::SerialPort* line_ = nullptr;  // the line of the port last opened
    std::string settings_;
    int portNumber_ = 0;
};

}  // namespace kt520::app
