#pragma once
// The one serial line to the instrument and its command/reply exchange.
//
// The line is half-duplex in use: a command goes out, its reply is read,
// then the next command. Every wait is bounded: the first byte of a reply
// must come within the reply time-out of the command, and every further
// byte within the time-out of the one before. A wait that expires, a port
// that closes and a command while the link is down all throw LineLost; the
// session turns that into the end of the operation, once, in one place.
#include <deque>
#include <string>
#include <string_view>

#include "async/EventLoop.h"
#include "async/Task.h"
#include "link/Replies.h"
#include "link/SerialLine.h"

namespace kt520::link {

using async::Millis;

// How long identification may take, counted from the opening of the port.
inline constexpr Millis kIdentifyTimeout{3000};
// How long the line settles after opening before anything is sent.
inline constexpr Millis kSettleTime{1000};
// The default bound on every other wait for a byte from the instrument.
inline constexpr Millis kDefaultReplyTimeout{3000};
// A text reply longer than this without its carriage return is line noise.
inline constexpr std::size_t kMaxReplyLength = 8192;

// The link as the last connection left it: "OK", "NG" or nothing yet.
enum class LinkState { Unknown, Connected, Failed };
std::string_view linkStateText(LinkState state);

enum class LineFault {
    NotConnected,  // the last connection failed: nothing is sent
    TimedOut,      // a byte did not come in time
    PortClosed,    // the port went away underneath
    Overlong,      // a text reply never ended
};
struct LineLost {
    LineFault fault;
};

enum class OpenResult { AlreadyOpen, Identified, Failed };

class InstrumentLink {
  public:
    InstrumentLink(async::EventLoop& loop, SerialLine& line) : loop_(loop), line_(line) {}

    // Opens the port, lets the line settle, empties it and checks that a
    // KT-520 answers "RDKT 00" within 3 s of the opening. A port that does
    // not answer so is closed again.
    [[nodiscard]] async::Task<OpenResult> open(int portNumber);
    void close();
    bool isOpen() const { return line_.isOpen(); }

    LinkState state() const { return state_; }
    void setState(LinkState state) { state_ = state; }
    void setReplyTimeout(Millis timeout) { replyTimeout_ = timeout; }

    // Sends the command and waits for its answer, which is taken off the line
    // unread (to its carriage return, or until the line stays quiet).
    [[nodiscard]] async::Task<void> send(std::string command);
    // Sends the command and reads its text reply up to and with its carriage return.
    [[nodiscard]] async::Task<std::string> exchange(std::string command);
    // "RDSTU00" and its reply; an error reply is read to its end, anything
    // else but a status is skipped.
    [[nodiscard]] async::Task<StatusReply> queryStatus();
    // "RDDTB00" and one block, read to its declared end whatever it claims.
    [[nodiscard]] async::Task<Block> fetchBlock();

    // A command that goes out before the next exchange, and no earlier than
    // `notBefore`: the Stop button's "WRSTP" during a measurement run.
    void slipIn(std::string command, Millis notBefore);
    bool hasSlipIn() const { return !slips_.empty(); }
    void dropSlipIns() { slips_.clear(); }
    // Sends what is slipped in, each at its time.
    [[nodiscard]] async::Task<void> flushSlipIns();

  private:
    struct Slip {
        std::string command;
        Millis notBefore;
    };

    [[nodiscard]] async::Task<std::string> identificationReply();
    // Sends what is slipped in, then the command, and waits for the first
    // byte of its reply; `expected` is how long the reply may be, so a line
    // that knows can wake once for all of it.
    [[nodiscard]] async::Task<void> begin(std::string command, std::size_t expected);
    [[nodiscard]] async::Task<void> transmit(std::string command, std::size_t expected = 1);
    [[nodiscard]] async::Task<void> skipReply();
    [[nodiscard]] async::Task<std::string> receive(std::size_t count);
    [[nodiscard]] async::Task<std::string> receiveText(std::string start = {});

    async::EventLoop& loop_;
    SerialLine& line_;
    LinkState state_ = LinkState::Unknown;
    Millis replyTimeout_ = kDefaultReplyTimeout;
    std::deque<Slip> slips_;
};

}  // namespace kt520::link
