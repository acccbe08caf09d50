#pragma once
// The one serial line to the instrument and the command/reply exchange.
// Every wait is bounded by replyTimeout; expiry counts as a line failure.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/EventPump.h"
#include "link/SerialPort.h"

namespace kt520::link {

// How long the instrument has to answer "RDKT 00", counted from the opening.
inline constexpr Millis kIdentifyTimeout{3000};
// How long the line settles after opening before anything is sent.
inline constexpr Millis kSettleTime{1000};
// The default bound on every other wait for a byte from the instrument.
inline constexpr Millis kDefaultReplyTimeout{3000};
// A text reply longer than this without its carriage return is line noise.
inline constexpr std::size_t kMaxReplyLength = 8192;
// Profile points one transfer may hold, and points one block may carry.
inline constexpr std::int32_t kMaxProfilePoints = 30000;
inline constexpr int kMaxBlockPoints = 1000;

class InstrumentLink {
  public:
    InstrumentLink(SerialPort& port, EventPump& pump, lang::Operator& op,
                   const lang::MessageCatalog& catalog);

    // Opens the line on the port and checks that a KT-520 answers "RDKT 00".
    // "OK", "NG", or "" when the port was already open.
    std::string openLink(int portNumber);
    void closeLink();
    bool isOpen() const;

    void sendCommand(std::string_view command);
    void readTextReply();
    std::string readReply();
    std::string checkReply(std::string_view command);
    std::string queryStatus(int position);
    void setByteMode();
    void setTextMode();
    bool byteMode() const;
    // Reads one profile block; appends its points as text to `points`
    // (numbered from 1, entry 0 unused) and counts them in `pointCount`.
    // `runMode` is the run's mode; a failure sets it to "WRSTP".
    void readBlock(std::vector<std::string>& points, std::int32_t& pointCount,
                   std::string& runMode);
    int bytesWaiting();

    // The bound on each wait for a byte after a command (not identification,
    // which keeps its own 3 s from opening).
    void setReplyTimeout(Millis timeout) { replyTimeout_ = timeout; }
    Millis replyTimeout() const { return replyTimeout_; }

    // The exchange started by the last sendCommand (or queryStatus) lost the
    // line: a byte did not come within the reply timeout, or the port closed.
    // The operator has been told once; later reads of the same exchange
    // return at once with nothing.
    bool lineFailed() const { return lineFailed_; }
    // The last sendCommand was refused because linkState is "NG"; nothing was
    // sent and the reads of this exchange return at once with nothing.
    bool commandRefused() const { return commandRefused_; }

    std::string linkState;  // "OK", "NG" or empty
    std::string replyText;
    std::int16_t replyFieldCount = 0;
    std::string blockHead;

    // Called when a block transfer fails, so the window can hide its progress bar.
    std::function<void()> onTransferFailed;

    SerialPort& port() { return port_; }
    EventPump& pump() { return pump_; }

  private:
    std::string identificationReply(Millis start);
    std::optional<std::uint8_t> waitForByte();
    // Waits for each of `count` bytes in turn; false when the line failed.
    bool appendBytes(std::string& into, std::size_t count);
    bool exchangeOver() const { return lineFailed_ || commandRefused_; }
    void failLine();
    void failTransfer(std::string& runMode);
    void showWarning(const std::string& text);

    SerialPort& port_;
    EventPump& pump_;
    lang::Operator& operator_;
    const lang::MessageCatalog& catalog_;
    bool byteMode_ = false;
    Millis replyTimeout_ = kDefaultReplyTimeout;
    bool lineFailed_ = false;
    bool commandRefused_ = false;
};

}  // namespace kt520::link
