#include "link/qtserial/QtSerialLine.h"

#include <charconv>
#include <utility>
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
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<QSerialPort::Parity> parityFor(std::string_view text) {
    if (text.size() != 1) return std::nullopt;
    switch (text[0] | 0x20) {  // either letter case
        case 'n':
            return QSerialPort::NoParity;
        case 'e':
            return QSerialPort::EvenParity;
        case 'o':
            return QSerialPort::OddParity;
        case 'm':
            return QSerialPort::MarkParity;
        case 's':
            return QSerialPort::SpaceParity;
        default:
            return std::nullopt;
    }
}

std::optional<QSerialPort::StopBits> stopBitsFor(std::string_view text) {
    if (text == "1") return QSerialPort::OneStop;
    if (text == "1.5") return QSerialPort::OneAndHalfStop;
    if (text == "2") return QSerialPort::TwoStop;
    return std::nullopt;
}

// Reading the device again after it went away gives these, never data.
bool meansLineGone(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

}  // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    const auto parts = splitAtCommas(text);
    if (parts.size() != 4) return std::nullopt;
    const auto baud = wholeNumber(parts[0]);
    const auto parity = parityFor(parts[1]);
    const auto bits = wholeNumber(parts[2]);
    const auto stop = stopBitsFor(parts[3]);
    if (!baud || *baud <= 0 || !parity || !bits || *bits < 5 || *bits > 8 || !stop)
        return std::nullopt;
    return LineSettings{*baud, *parity, static_cast<QSerialPort::DataBits>(*bits), *stop};
}

QtSerialLine::QtSerialLine(async::EventLoop& loop, PortMap map)
    : loop_(loop), map_(std::move(map)) {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { onReadable(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialLine::~QtSerialLine() {
    cancelNotify();
    QObject::disconnect(&port_, nullptr, nullptr, nullptr);
}

bool QtSerialLine::open(int portNumber, std::string_view settings) {
    if (port_.isOpen()) return true;
    lastError_.clear();
    const std::string device = map_.deviceFor(portNumber);
    const auto line = parseLineSettings(settings);
    if (device.empty() || !line) {
        lastError_ = device.empty()
                         ? QStringLiteral("no device for port %1").arg(portNumber)
                         : QStringLiteral("unreadable line settings \"%1\"")
                               .arg(QString::fromUtf8(settings.data(),
                                                      static_cast<qsizetype>(settings.size())));
        return false;
    }
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(line->baudRate);
    port_.setParity(line->parity);
    port_.setDataBits(line->dataBits);
    port_.setStopBits(line->stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        lastError_ = port_.errorString();
        return false;
    }
    port_.clearError();
    return true;
}

void QtSerialLine::close() {
    if (port_.isOpen()) port_.close();
    if (ready_) fire();
}

bool QtSerialLine::deviceReady() const {
    if (!port_.isOpen()) return false;
    port_.clearError();
    const auto lines = port_.pinoutSignals();
    if (port_.error() != QSerialPort::NoError) {
        port_.clearError();
        return true;
    }
    return lines.testFlag(QSerialPort::DataSetReadySignal);
}

std::size_t QtSerialLine::bytesWaiting() {
    return port_.isOpen() ? static_cast<std::size_t>(port_.bytesAvailable()) : 0;
}

std::string QtSerialLine::read(std::size_t count) {
    if (!port_.isOpen()) return {};
    const QByteArray bytes = port_.read(static_cast<qint64>(count));
    return bytes.toStdString();
}

void QtSerialLine::clearInput() {
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

void QtSerialLine::write(std::string_view bytes) {
    if (!port_.isOpen()) return;
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtSerialLine::notifyWhenReadable(std::size_t least, std::size_t /*most*/,
                                      std::function<void()> ready) {
    cancelNotify();
    wanted_ = least;
    ready_ = std::move(ready);
    // Already there, or nothing more can come: tell on the loop's next round.
    if (!port_.isOpen() || bytesWaiting() >= wanted_)
        posted_ = loop_.post([this] {
            posted_ = 0;
            fire();
        });
}

void QtSerialLine::cancelNotify() {
    ready_ = nullptr;
    if (posted_ != 0) loop_.cancel(std::exchange(posted_, 0));
}

// The reader is told once the least it waits for is there; a reader that
// needs a whole block is not woken per arrival (the port cannot tell whether
// more is on its way), its deadline makes it look in between.
void QtSerialLine::onReadable() {
    if (ready_ && bytesWaiting() >= wanted_) fire();
}

void QtSerialLine::onError(QSerialPort::SerialPortError error) {
    if (!meansLineGone(error)) return;
    lastError_ = port_.errorString();
    close();
}

void QtSerialLine::fire() {
    if (posted_ != 0) loop_.cancel(std::exchange(posted_, 0));
    std::function<void()> ready = std::move(ready_);
    ready_ = nullptr;
    if (ready) ready();
}

}  // namespace kt520::link
