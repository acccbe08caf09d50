#pragma once
// The serial line to the instrument as the core drives it. Implementations:
// a QSerialPort in the Qt layer (real ports, pseudo-terminals) and an
// in-memory line whose far end is the simulated instrument or a test's peer.
// Nothing here blocks: the exchange waits for bytes by asking to be told.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kt520::link {

// 28800 baud, even parity, 8 data bits, 1 stop bit.
inline constexpr std::string_view kLineSettings = "28800,E,8,1";

class SerialLine {
  public:
    virtual ~SerialLine() = default;

    // Opens port `portNumber` (1-20) with `settings`; false when it cannot be opened.
    virtual bool open(int portNumber, std::string_view settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The modem-status input (DSR) that says a device is there.
    virtual bool deviceReady() const = 0;

    virtual std::size_t bytesWaiting() = 0;
    // Up to `count` of the bytes waiting, oldest first.
    virtual std::string read(std::size_t count) = 0;
    virtual void clearInput() = 0;
    virtual void write(std::string_view bytes) = 0;

    // Calls `ready` once, from the event loop, when `most` bytes are waiting,
    // or the line has closed, or earlier once at least `least` are there and
    // the line cannot tell whether more will come before the reader's
    // deadline (a line that knows, such as the in-memory one, calls where the
    // bytes on their way pause). The caller looks and asks again when it
    // wants more. A new request replaces the one before; the callback is
    // forgotten before it is called.
    virtual void notifyWhenReadable(std::size_t least, std::size_t most,
                                    std::function<void()> ready) = 0;
    virtual void cancelNotify() = 0;
};

}  // namespace kt520::link
