#pragma once
// The serial line on a real device (or a pseudo-terminal) through QSerialPort,
// on the window's event loop: bytes are read as the port signals them, and a
// reader waiting for them is told then, never by polling.
#include <QSerialPort>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "async/EventLoop.h"
#include "link/PortMap.h"
#include "link/SerialLine.h"

namespace kt520::link {

struct LineSettings {
    qint32 baudRate = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Reads "baud,parity,data bits,stop bits" such as "28800,E,8,1" (parity
// N, E, O, M or S; data bits 5-8; stop bits 1, 1.5 or 2); nothing when unreadable.
std::optional<LineSettings> parseLineSettings(std::string_view text);

class QtSerialLine : public SerialLine {
  public:
    QtSerialLine(async::EventLoop& loop, PortMap map);
    ~QtSerialLine() override;

    // False when the device is missing, busy, or the settings are unreadable.
    bool open(int portNumber, std::string_view settings) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    // DSR; a device that cannot report its modem lines (a pseudo-terminal)
    // counts as ready, and the answer to "RDKT 00" decides.
    bool deviceReady() const override;
    std::size_t bytesWaiting() override;
    std::string read(std::size_t count) override;
    void clearInput() override;
    void write(std::string_view bytes) override;
    void notifyWhenReadable(std::size_t least, std::size_t most,
                            std::function<void()> ready) override;
    void cancelNotify() override;

    // Why the last open() failed, or what closed the port; empty otherwise.
    QString lastError() const { return lastError_; }

  private:
    void onReadable();
    void onError(QSerialPort::SerialPortError error);
    void fire();

    async::EventLoop& loop_;
    PortMap map_;
    mutable QSerialPort port_;
    QString lastError_;
    std::function<void()> ready_;
    std::size_t wanted_ = 0;
    async::EventLoop::TimerId posted_ = 0;
};

}  // namespace kt520::link
