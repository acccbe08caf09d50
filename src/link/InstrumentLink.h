#pragma once
// The one serial line to the instrument and the command/reply exchange.
// Every wait is bounded by replyTimeout; expiry counts as a line failure.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/EventPump.h"
#include "link/SerialPort.h"

namespace kt520::link {

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

    std::string linkState;  // "OK", "NG" or empty
    std::string replyText;
    std::int16_t replyFieldCount = 0;
    std::string blockHead;

    // Called when a block transfer fails, so the window can hide its progress bar.
    std::function<void()> onTransferFailed;

    SerialPort& port() { return port_; }
    EventPump& pump() { return pump_; }

private:
    SerialPort& port_;
    EventPump& pump_;
    lang::Operator& operator_;
    const lang::MessageCatalog& catalog_;
    bool byteMode_ = false;
};

}  // namespace kt520::link
