#pragma once
// The serial port on a real device (or a pseudo-terminal) through QSerialPort.
// It works whether or not the Qt event loop runs: every poll asks the port for
// what has arrived and pushes out what is waiting to be sent.
#include <QByteArray>
#include <QSerialPort>
#include <optional>
#include <string>
#include <string_view>

#include "link/PortMap.h"
#include "link/SerialPort.h"

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

class QtSerialPort : public SerialPort {
  public:
    explicit QtSerialPort(PortMap map = {});

    void setSettings(std::string_view settings) override;
    void setPortNumber(int portNumber) override { portNumber_ = portNumber; }
    int portNumber() const override { return portNumber_; }
    // False when the device is missing, busy, or the settings are unreadable.
    bool open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    // DSR; a device that cannot report its modem lines (a pseudo-terminal)
    // counts as ready.
    bool deviceReady() const override;
    int bytesWaiting() override;
    void clearInput() override;
    std::optional<std::uint8_t> readByte() override;
    void write(std::string_view bytes) override;
    int bytesToSend() override;

    // Why the last open() failed, or what closed the port; empty otherwise.
    QString lastError() const { return lastError_; }

  private:
    void collect();
    bool failedUnderneath();

    PortMap map_;
    int portNumber_ = 0;
    std::string settings_;
    mutable QSerialPort port_;
    QByteArray input_;
    qsizetype readPosition_ = 0;
    QString lastError_;
};

}  // namespace kt520::link
