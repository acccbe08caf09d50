#include "link/InstrumentLink.h"

#include <coroutine>
#include <utility>

#include "async/Sleep.h"
#include "lang/InternalFault.h"

namespace kt520::link {
namespace {

constexpr std::string_view kIdentifyCommand = "RDKT 00\r";
// How long the line must stay quiet before identification asks.
constexpr Millis kQuietTime{5};

// Waits until `most` bytes are waiting, the line closes, the line says to
// look (at least `least` are there), or the deadline passes.
class Readable {
  public:
    Readable(async::EventLoop& loop, SerialLine& line, std::size_t least, std::size_t most,
             Millis deadline)
        : loop_(loop), line_(line), least_(least), most_(most), deadline_(deadline) {}
    Readable(const Readable&) = delete;
    Readable& operator=(const Readable&) = delete;
    ~Readable() { disarm(); }

    bool await_ready() {
        return !line_.isOpen() || line_.bytesWaiting() >= most_ || loop_.now() >= deadline_;
    }
    void await_suspend(std::coroutine_handle<> waiting) {
        waiting_ = waiting;
        line_.notifyWhenReadable(least_, most_, [this] { wake(); });
        timer_ = loop_.callAt(deadline_, [this] {
            timer_ = 0;
            wake();
        });
    }
    void await_resume() const noexcept {}

  private:
    void disarm() {
        if (timer_ != 0) loop_.cancel(std::exchange(timer_, 0));
        if (waiting_) line_.cancelNotify();
    }
    // Nothing of this object is touched once the coroutine goes on.
    void wake() {
        disarm();
        std::exchange(waiting_, {}).resume();
    }

    async::EventLoop& loop_;
    SerialLine& line_;
    std::size_t least_;
    std::size_t most_;
    Millis deadline_;
    async::EventLoop::TimerId timer_ = 0;
    std::coroutine_handle<> waiting_;
};

const std::string& timedOutIdentification() {
    static const std::string reply = "NG" + std::string(23, '*');
    return reply;
}

}  // namespace

std::string_view linkStateText(LinkState state) {
    switch (state) {
        case LinkState::Connected:
            return "OK";
        case LinkState::Failed:
            return "NG";
        case LinkState::Unknown:
            break;
    }
    return "";
}

async::Task<OpenResult> InstrumentLink::open(int portNumber) {
    if (line_.isOpen()) co_return OpenResult::AlreadyOpen;
    if (!line_.open(portNumber, kLineSettings)) co_return OpenResult::Failed;
    std::string reply;
    if (line_.deviceReady()) reply = co_await identificationReply();
    if (answersAsKt520(reply)) co_return OpenResult::Identified;
    line_.close();
    co_return OpenResult::Failed;
}

// Lets the line settle, empties it until it stays quiet, asks "RDKT 00" and
// reads the answer to its carriage return; all within 3 s of the opening.
async::Task<std::string> InstrumentLink::identificationReply() {
    const Millis opened = loop_.now();
    const Millis deadline = opened + kIdentifyTimeout;
    co_await async::sleepUntil(loop_, opened + kSettleTime);
    do {
        line_.clearInput();
        co_await Readable(loop_, line_, 1, 1, loop_.now() + kQuietTime);
    } while (line_.isOpen() && line_.bytesWaiting() > 0 && loop_.now() <= deadline);

    line_.write(kIdentifyCommand);
    std::string reply;
    for (;;) {
        while (line_.isOpen() && line_.bytesWaiting() > 0) {
            reply += line_.read(1);
            if (reply.back() == '\r') co_return reply;
        }
        if (!line_.isOpen() || loop_.now() > deadline) co_return timedOutIdentification();
        co_await Readable(loop_, line_, 1, kMaxReplyLength, deadline + Millis{1});
    }
}

void InstrumentLink::close() {
    if (line_.isOpen()) line_.close();
}

async::Task<void> InstrumentLink::transmit(std::string command, std::size_t expected) {
    if (state_ == LinkState::Failed) throw LineLost{LineFault::NotConnected};
    if (!line_.isOpen()) throw LineLost{LineFault::PortClosed};
    line_.clearInput();
    command.push_back('\r');
    line_.write(command);
    co_await Readable(loop_, line_, 1, expected, loop_.now() + replyTimeout_);
    if (line_.bytesWaiting() > 0) co_return;
    throw LineLost{line_.isOpen() ? LineFault::TimedOut : LineFault::PortClosed};
}

async::Task<std::string> InstrumentLink::receive(std::size_t count) {
    Millis deadline = loop_.now() + replyTimeout_;
    std::size_t seen = line_.bytesWaiting();
    while (line_.bytesWaiting() < count) {
        if (!line_.isOpen()) throw LineLost{LineFault::PortClosed};
        co_await Readable(loop_, line_, count, count, deadline);
        const std::size_t waiting = line_.bytesWaiting();
        if (waiting > seen) {
            seen = waiting;
            deadline = loop_.now() + replyTimeout_;
        } else if (loop_.now() >= deadline) {
            throw LineLost{line_.isOpen() ? LineFault::TimedOut : LineFault::PortClosed};
        }
    }
    co_return line_.read(count);
}

async::Task<std::string> InstrumentLink::receiveText(std::string reply) {
    Millis deadline = loop_.now() + replyTimeout_;
    for (;;) {
        while (line_.bytesWaiting() > 0) {
            reply += line_.read(1);
            if (reply.back() == '\r') co_return reply;
            if (reply.size() > kMaxReplyLength) throw LineLost{LineFault::Overlong};
            deadline = loop_.now() + replyTimeout_;
        }
        if (!line_.isOpen()) throw LineLost{LineFault::PortClosed};
        if (loop_.now() >= deadline) throw LineLost{LineFault::TimedOut};
        co_await Readable(loop_, line_, 1, kMaxReplyLength, deadline);
    }
}

// The rest of a reply that is not read is still taken off the line, up to
// its carriage return or until the line stays quiet: emptying the input
// before the next command cannot catch bytes that are still on their way,
// and they would be read as the beginning of the next reply.
async::Task<void> InstrumentLink::skipReply() {
    std::size_t skipped = 0;
    for (;;) {
        while (line_.bytesWaiting() > 0) {
            if (line_.read(1) == "\r") co_return;
            if (++skipped > kMaxReplyLength) throw LineLost{LineFault::Overlong};
        }
        if (!line_.isOpen()) co_return;
        co_await Readable(loop_, line_, 1, kMaxReplyLength, loop_.now() + kQuietTime);
        if (line_.bytesWaiting() == 0) co_return;
    }
}

async::Task<void> InstrumentLink::begin(std::string command, std::size_t expected) {
    co_await flushSlipIns();
    co_await transmit(std::move(command), expected);
}

async::Task<void> InstrumentLink::send(std::string command) {
    co_await begin(std::move(command), 1);
    co_await skipReply();
}

async::Task<std::string> InstrumentLink::exchange(std::string command) {
    co_await begin(std::move(command), kMaxReplyLength);
    co_return co_await receiveText();
}

async::Task<StatusReply> InstrumentLink::queryStatus() {
    co_await begin("RDSTU00", 11);
    StatusReply reply;
    reply.characters = co_await receive(2);
    if (reply.characters == "OK") {
        reply.kind = StatusReply::Kind::Status;
        reply.characters += co_await receive(9);
    } else if (reply.characters == "NG") {
        reply.kind = StatusReply::Kind::Refused;
        reply.characters = co_await receiveText(reply.characters);
        reply.refusal = *refusalIn(reply.characters);
    } else {
        reply.characters.resize(1);
        co_await skipReply();
    }
    co_return reply;
}

async::Task<Block> InstrumentLink::fetchBlock() {
    co_await begin("RDDTB00", 5 + 4 * kMaxBlockPoints);
    Block block;
    // Every block has at least five bytes: "OK", the count and its last
    // byte, or "NG" and three characters.
    block.head = co_await receive(4);
    if (block.head.starts_with("NG")) {
        block.head += co_await receive(1);
        block.kind = Block::Kind::End;
        co_return block;
    }
    if (!block.head.starts_with("OK")) {
        block.head.resize(2);
        lang::failInternal("block head \"" + block.head + "\"");
    }
    block.declaredPoints = blockPointCount(block.head);
    block.head.resize(2);
    const std::string body =
        co_await receive(4 * static_cast<std::size_t>(block.declaredPoints) + 1);
    if (block.declaredPoints > kMaxBlockPoints) {
        block.kind = Block::Kind::Oversized;
        co_return block;
    }
    block.kind = Block::Kind::Points;
    block.points = blockPoints(std::string_view(body).substr(0, body.size() - 1));
    co_return block;
}

void InstrumentLink::slipIn(std::string command, Millis notBefore) {
    slips_.push_back({std::move(command), notBefore});
}

async::Task<void> InstrumentLink::flushSlipIns() {
    while (!slips_.empty()) {
        const Slip slip = slips_.front();
        slips_.pop_front();
        co_await async::sleepUntil(loop_, slip.notBefore);
        co_await transmit(slip.command);
        co_await skipReply();
    }
}

}  // namespace kt520::link
