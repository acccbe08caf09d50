#include "sim/TransmitLine.h"

#include <algorithm>
#include <cmath>

namespace kt520::sim {

void TransmitLine::send(std::string bytes, double readyAtMs, bool closesLine) {
    if (closed_) return;
    const double start = std::max(readyAtMs, freeAtMs_);
    freeAtMs_ = start + static_cast<double>(bytes.size()) * byteTimeMs_;
    queue_.push_back({std::move(bytes), start, 0, closesLine});
}

std::string TransmitLine::take(double nowMs) {
    std::string arrived;
    while (!queue_.empty()) {
        Reply& reply = queue_.front();
        const double elapsed = nowMs - reply.startMs;
        const auto due = elapsed <= 0 ? std::size_t{0}
                                      : static_cast<std::size_t>(std::floor(elapsed / byteTimeMs_));
        const std::size_t upTo = std::min(reply.bytes.size(), due);
        if (upTo > reply.sent) {
            arrived.append(reply.bytes, reply.sent, upTo - reply.sent);
            reply.sent = upTo;
        }
        if (reply.sent < reply.bytes.size()) break;
        if (reply.closesLine) {
            closed_ = true;
            queue_.clear();
            break;
        }
        queue_.pop_front();
    }
    return arrived;
}

std::optional<double> TransmitLine::arrivalOf(std::size_t count, double pauseMs) const {
    std::optional<double> arrival;
    for (const Reply& reply : queue_) {
        const std::size_t unsent = reply.bytes.size() - reply.sent;
        if (unsent == 0) continue;
        const double first = reply.startMs + static_cast<double>(reply.sent + 1) * byteTimeMs_;
        if (arrival && first - *arrival > pauseMs) break;
        const std::size_t taken = std::min(count, unsent);
        arrival = reply.startMs + static_cast<double>(reply.sent + taken) * byteTimeMs_;
        count -= taken;
        if (count == 0) break;
    }
    return arrival;
}

void TransmitLine::clear() {
    queue_.clear();
    freeAtMs_ = 0;
}

}  // namespace kt520::sim
