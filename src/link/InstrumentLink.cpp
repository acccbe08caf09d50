#include "link/InstrumentLink.h"

#include <bit>

#include "profile/NumberText.h"

namespace kt520::link {

namespace {

constexpr std::string_view kIdentifyCommand = "RDKT 00\r";
constexpr std::string_view kModelMark = "KT52";  // characters 5 to 8 of a KT-520's answer
constexpr int kMessageLineAbnormal = 5;
constexpr int kTitleWarning = 1;
constexpr int kInstrumentErrorUnknown = 6;  // "Error": the instrument's own catch-all
constexpr int kLastInstrumentError = 22;

// What identification reads when the instrument stays silent.
const std::string& timedOutIdentification() {
    static const std::string reply = "NG" + std::string(23, '*');
    return reply;
}

// An IEEE single sent most significant byte first.
float bigEndianSingle(const char* bytes) {
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) word = word << 8 | static_cast<std::uint8_t>(bytes[i]);
    return std::bit_cast<float>(word);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

InstrumentLink::InstrumentLink(SerialPort& port, EventPump& pump, lang::Operator& op,
                               const lang::MessageCatalog& catalog)
    : port_(port), pump_(pump), operator_(op), catalog_(catalog) {}

std::string InstrumentLink::openLink(int portNumber) {
    if (port_.isOpen()) return "";
    byteMode_ = false;
    port_.setSettings(kLineSettings);
    port_.setPortNumber(portNumber);
    if (!port_.open()) return "NG";

    std::string reply;
    if (port_.deviceReady()) reply = identificationReply(pump_.now());
    if (reply.size() >= 8 && std::string_view(reply).substr(4, 4) == kModelMark) return "OK";
    port_.close();
    return "NG";
}

// Lets the line settle, empties it, asks "RDKT 00" and reads the answer up to
// its carriage return; everything must be over 3 s after `start`.
std::string InstrumentLink::identificationReply(Millis start) {
    const Millis deadline = start + kIdentifyTimeout;
    const auto expired = [&] { return pump_.now() > deadline || !port_.isOpen(); };

    while (pump_.now() < start + kSettleTime) pump_.processEvents();
    // Whatever the instrument was still sending goes, until the line stays quiet.
    do {
        port_.clearInput();
        pump_.processEvents();
    } while (port_.bytesWaiting() > 0 && !expired());

    port_.write(kIdentifyCommand);
    while (port_.bytesToSend() > 0 && !expired()) pump_.processEvents();

    std::string reply;
    for (;;) {
        const auto byte = port_.readByte();
        if (byte) reply.push_back(static_cast<char>(*byte));
        if (expired()) return timedOutIdentification();
        if (byte && *byte == '\r') return reply;
        if (!byte) pump_.processEvents();
    }
}

void InstrumentLink::closeLink() {
    if (port_.isOpen()) port_.close();
    byteMode_ = false;
}

bool InstrumentLink::isOpen() const {
    return port_.isOpen();
}

void InstrumentLink::sendCommand(std::string_view command) {
    lineFailed_ = false;
    commandRefused_ = false;
    if (linkState == "NG") {
        commandRefused_ = true;
        showWarning(catalog_.message(kMessageLineAbnormal));
        return;
    }
    if (!port_.isOpen()) {
        failLine();
        return;
    }
    port_.clearInput();
    std::string text(command);
    text.push_back('\r');
    port_.write(text);

    const Millis deadline = pump_.now() + replyTimeout_;
    while (port_.bytesWaiting() == 0) {
        if (!port_.isOpen() || pump_.now() > deadline) {
            failLine();
            return;
        }
        pump_.processEvents();
    }
}

std::optional<std::uint8_t> InstrumentLink::waitForByte() {
    if (exchangeOver()) return std::nullopt;
    const Millis deadline = pump_.now() + replyTimeout_;
    for (;;) {
        if (auto byte = port_.readByte()) return byte;
        if (!port_.isOpen() || pump_.now() > deadline) {
            failLine();
            return std::nullopt;
        }
        pump_.processEvents();
    }
}

bool InstrumentLink::appendBytes(std::string& into, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = waitForByte();
        if (!byte) return false;
        into.push_back(static_cast<char>(*byte));
    }
    return true;
}

void InstrumentLink::failLine() {
    if (lineFailed_) return;
    lineFailed_ = true;
    showWarning(catalog_.message(kMessageLineAbnormal));
}

void InstrumentLink::showWarning(const std::string& text) {
    operator_.showMessage(text, catalog_.boxTitle(kTitleWarning), lang::MessageIcon::Stop);
}

void InstrumentLink::readTextReply() {
    setTextMode();
    readReply();
}

std::string InstrumentLink::readReply() {
    replyText.clear();
    replyFieldCount = 0;
    while (const auto byte = waitForByte()) {
        replyText.push_back(static_cast<char>(*byte));
        if (*byte == ',' || *byte == '\r') ++replyFieldCount;
        if (*byte == '\r') break;
        if (replyText.size() > kMaxReplyLength) failLine();
    }
    // A reply cut short by a failed line is no reply: callers must not take
    // its fields for the instrument's answer.
    if (lineFailed_) {
        replyText.clear();
        replyFieldCount = 0;
    }
    return replyText;
}

std::string InstrumentLink::checkReply(std::string_view command) {
    readReply();
    if (lineFailed_) return "NG";
    if (!replyText.starts_with("NG")) return "";

    const std::string code = replyText.substr(2, 2);
    const bool numeric = code.size() == 2 && isDigit(code[0]) && isDigit(code[1]);
    const int number = numeric ? (code[0] - '0') * 10 + (code[1] - '0') : -1;
    if (number == 1) {
        showWarning(std::string(command));
    } else if (number >= 0 && number <= kLastInstrumentError) {
        showWarning(catalog_.instrumentError(number));  // 00 has no text: an empty box
    } else {
        // A number the catalog does not know: the catch-all text and the code
        // as the instrument sent it, so the operator can still report it.
        std::string shown = replyText.substr(0, 4);
        if (shown.ends_with('\r')) shown.pop_back();
        showWarning(catalog_.instrumentError(kInstrumentErrorUnknown) + " (" + shown + ")");
    }
    return "NG";
}

std::string InstrumentLink::queryStatus(int position) {
    sendCommand("RDSTU00");
    std::string status;
    if (!appendBytes(status, 2)) return "ERR";
    if (status != "OK") return status.substr(0, 1);
    if (!appendBytes(status, 9)) return "ERR";
    if (position < 1 || position > static_cast<int>(status.size())) return "";
    return status.substr(static_cast<std::size_t>(position - 1), 1);
}

void InstrumentLink::setByteMode() {
    byteMode_ = true;
}
void InstrumentLink::setTextMode() {
    byteMode_ = false;
}
bool InstrumentLink::byteMode() const {
    return byteMode_;
}

int InstrumentLink::bytesWaiting() {
    return port_.bytesWaiting();
}

void InstrumentLink::failTransfer(std::string& runMode) {
    runMode = "WRSTP";
    if (onTransferFailed) onTransferFailed();
    setTextMode();
}

void InstrumentLink::readBlock(std::vector<std::string>& points, std::int32_t& pointCount,
                               std::string& runMode) {
    blockHead.clear();
    if (runMode != "DRSTA" && runMode != "WRSTA") return;
    // The request itself failed: another request would fail the same way,
    // so the transfer ends here instead of asking again and again.
    if (exchangeOver()) return failTransfer(runMode);
    if (port_.bytesWaiting() == 0) return;

    std::string head;
    if (!appendBytes(head, 2)) return failTransfer(runMode);
    blockHead = head;
    if (blockHead == "NG") {
        if (!appendBytes(blockHead, 3)) failTransfer(runMode);
        return;
    }
    if (blockHead != "OK") {
        showWarning(catalog_.internalError());
        lang::endProgramNow(operator_);
    }

    std::string count;
    if (!appendBytes(count, 2)) return failTransfer(runMode);
    const int blockPoints =
        static_cast<std::uint8_t>(count[0]) << 8 | static_cast<std::uint8_t>(count[1]);
    if (blockPoints > kMaxBlockPoints) return;

    std::string values;
    if (!appendBytes(values, 4 * static_cast<std::size_t>(blockPoints))) {
        return failTransfer(runMode);
    }
    for (std::size_t at = 0; at < values.size(); at += 4) {
        if (pointCount >= kMaxProfilePoints) return failTransfer(runMode);
        ++pointCount;
        const auto index = static_cast<std::size_t>(pointCount);
        if (points.size() <= index) points.resize(index + 1);
        points[index] = profile::numberText(bigEndianSingle(values.data() + at));
    }
    std::string trailing;
    if (!appendBytes(trailing, 1)) failTransfer(runMode);
}

}  // namespace kt520::link
