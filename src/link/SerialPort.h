#pragma once
// The serial component the instrument link drives. Implementations: QSerialPort
// for real ports and pseudo-terminals, and InMemorySerialPort for tests and the
// built-in simulator.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kt520::link {

inline constexpr std::string_view kLineSettings = "28800,E,8,1";

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    virtual void setSettings(std::string_view settings) = 0;
    virtual void setPortNumber(int portNumber) = 0;
    virtual int portNumber() const = 0;
    virtual bool open() = 0;  // false when the port cannot be opened
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool deviceReady() const = 0;  // the modem-status input (DSR)
    virtual int bytesWaiting() = 0;
    virtual void clearInput() = 0;
    // One received character or byte, or nothing when none is waiting.
    virtual std::optional<std::uint8_t> readByte() = 0;
    virtual void write(std::string_view bytes) = 0;
    virtual int bytesToSend() = 0;
};

}  // namespace kt520::link
