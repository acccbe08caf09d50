#pragma once
// A serial port whose far end is a LinePeer in the same process: the scripted
// peers of the tests and the built-in simulated instrument. Port numbers lead
// to the peers attached to them; time is the event pump's.
#include <deque>
#include <map>
#include <string>

#include "link/EventPump.h"
#include "link/LinePeer.h"
#include "link/SerialPort.h"

namespace kt520::link {

class InMemorySerialPort : public SerialPort {
  public:
    explicit InMemorySerialPort(EventPump& pump) : pump_(pump) {}

    // The peer answers on this port number from now on (the peer must outlive the port).
    void attach(int portNumber, LinePeer& peer);
    // The line goes away underneath the host, as when a USB adapter is pulled:
    // the port reports itself closed and nothing more arrives.
    void pullPlug();

    void setSettings(std::string_view settings) override { settings_ = settings; }
    void setPortNumber(int portNumber) override { portNumber_ = portNumber; }
    int portNumber() const override { return portNumber_; }
    bool open() override;  // false when no peer is attached to the port number
    void close() override;
    bool isOpen() const override { return peer_ != nullptr; }
    bool deviceReady() const override { return peer_ != nullptr && peer_->deviceReady(); }
    int bytesWaiting() override;
    void clearInput() override;
    std::optional<std::uint8_t> readByte() override;
    void write(std::string_view bytes) override;
    // Writes reach the peer at once, so nothing is ever left to send.
    int bytesToSend() override { return 0; }

    const std::string& settings() const { return settings_; }
    // Every byte the host has written, across openings.
    const std::string& written() const { return written_; }

  private:
    void collect();

    EventPump& pump_;
    std::map<int, LinePeer*> peers_;
    LinePeer* peer_ = nullptr;  // the peer of the open port; null while closed
    int portNumber_ = 0;
    std::string settings_;
    std::deque<char> input_;
    std::string written_;
};

}  // namespace kt520::link
