#include "link/qtserial/QtSerialPort.h"

#include <charconv>
#include <vector>

namespace kt520::link {

namespace {

std::vector<std::string_view> splitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return parts;
        text.remove_prefix(comma + 1);
    }
}

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<QSerialPort::Parity> parityFor(std::string_view text) {
    if (text.size() != 1) return std::nullopt;
    switch (text[0]) {
        case 'N':
        case 'n':
            return QSerialPort::NoParity;
        case 'E':
        case 'e':
            return QSerialPort::EvenParity;
        case 'O':
        case 'o':
            return QSerialPort::OddParity;
        case 'M':
        case 'm':
            return QSerialPort::MarkParity;
        case 'S':
        case 's':
            return QSerialPort::SpaceParity;
        default:
            return std::nullopt;
    }
}

// Reading the device again after it went away gives these, never data.
bool meansLineGone(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

constexpr qsizetype kCompactAfter = 4096;

}  // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    const auto parts = splitAtCommas(text);
    if (parts.size() != 4) return std::nullopt;
    const auto baud = wholeNumber(parts[0]);
    const auto parity = parityFor(parts[1]);
    const auto bits = wholeNumber(parts[2]);
    if (!baud || *baud <= 0 || !parity || !bits || *bits < 5 || *bits > 8) return std::nullopt;

    LineSettings settings;
    settings.baudRate = *baud;
    settings.parity = *parity;
    settings.dataBits = static_cast<QSerialPort::DataBits>(*bits);
    if (parts[3] == "1") {
        settings.stopBits = QSerialPort::OneStop;
    } else if (parts[3] == "1.5") {
        settings.stopBits = QSerialPort::OneAndHalfStop;
    } else if (parts[3] == "2") {
        settings.stopBits = QSerialPort::TwoStop;
    } else {
        return std::nullopt;
    }
    return settings;
}

QtSerialPort::QtSerialPort(PortMap map) : map_(std::move(map)) {}

void QtSerialPort::setSettings(std::string_view settings) {
    settings_ = settings;
}

bool QtSerialPort::open() {
    if (port_.isOpen()) return true;
    lastError_.clear();
    input_.clear();
    readPosition_ = 0;

    const std::string device = map_.deviceFor(portNumber_);
    const auto settings = parseLineSettings(settings_);
    if (device.empty() || !settings) {
        lastError_ = device.empty() ? QStringLiteral("no device for port %1").arg(portNumber_)
                                    : QStringLiteral("unreadable line settings \"%1\"")
                                          .arg(QString::fromStdString(settings_));
        return false;
    }
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(settings->baudRate);
    port_.setParity(settings->parity);
    port_.setDataBits(settings->dataBits);
    port_.setStopBits(settings->stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        lastError_ = port_.errorString();
        return false;
    }
    port_.clearError();
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
    input_.clear();
    readPosition_ = 0;
}

bool QtSerialPort::deviceReady() const {
    if (!port_.isOpen()) return false;
    port_.clearError();
    const auto lines = port_.pinoutSignals();
    if (port_.error() != QSerialPort::NoError) {
        // The device has no modem lines to report (a pseudo-terminal, some
        // adapters): the answer to "RDKT 00" decides instead.
        port_.clearError();
        return true;
    }
    return lines.testFlag(QSerialPort::DataSetReadySignal);
}

bool QtSerialPort::failedUnderneath() {
    if (!meansLineGone(port_.error())) {
        port_.clearError();
        return false;
    }
    lastError_ = port_.errorString();
    close();
    return true;
}

void QtSerialPort::collect() {
    if (!port_.isOpen()) return;
    // Without a running event loop nothing reads the device for us; a zero wait does.
    port_.waitForReadyRead(0);
    if (failedUnderneath()) return;
    if (readPosition_ >= kCompactAfter) {
        input_.remove(0, readPosition_);
        readPosition_ = 0;
    }
    input_.append(port_.readAll());
}

int QtSerialPort::bytesWaiting() {
    collect();
    return static_cast<int>(input_.size() - readPosition_);
}

void QtSerialPort::clearInput() {
    collect();
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
    input_.clear();
    readPosition_ = 0;
}

std::optional<std::uint8_t> QtSerialPort::readByte() {
    if (readPosition_ >= input_.size()) collect();
    if (readPosition_ >= input_.size()) return std::nullopt;
    return static_cast<std::uint8_t>(input_.at(readPosition_++));
}

void QtSerialPort::write(std::string_view bytes) {
    if (!port_.isOpen()) return;
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    port_.flush();
    failedUnderneath();
}

int QtSerialPort::bytesToSend() {
    if (!port_.isOpen()) return 0;
    port_.flush();  // pushes out what the device takes now, without blocking
    if (failedUnderneath()) return 0;
    return static_cast<int>(port_.bytesToWrite());
}

}  // namespace kt520::link
