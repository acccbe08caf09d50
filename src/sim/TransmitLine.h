#pragma once
// The instrument's sending side of the serial line: replies leave one byte
// after another at the line's byte time, each no earlier than it is ready and
// never overlapping the one before.
#include <deque>
#include <optional>
#include <string>

namespace kt520::sim {

class TransmitLine {
  public:
    explicit TransmitLine(double byteTimeMs) : byteTimeMs_(byteTimeMs) {}

    // Queues `bytes` to start leaving at `readyAtMs` or when the line is free.
    // A reply marked `closesLine` kills the line once its last byte has left.
    void send(std::string bytes, double readyAtMs, bool closesLine = false);
    // The bytes that have arrived at the host by `nowMs`.
    std::string take(double nowMs);
    // When the `count`-th byte not yet taken arrives at the host; when fewer
    // are queued, or the queued bytes pause for more than `pauseMs` before it,
    // when the last before that arrives; none when nothing is queued.
    std::optional<double> arrivalOf(std::size_t count, double pauseMs) const;
    void clear();
    bool closed() const { return closed_; }
    double byteTimeMs() const { return byteTimeMs_; }

  private:
    struct Reply {
        std::string bytes;
        double startMs;
        std::size_t sent;
        bool closesLine;
    };
    double byteTimeMs_;
    double freeAtMs_ = 0;
    std::deque<Reply> queue_;
    bool closed_ = false;
};

}  // namespace kt520::sim
