#pragma once
// ScriptedPeer: the far end of an InMemoryLine whose answers a test writes
// down beforehand. One-off answers (`once`) go first, in order, then the
// standing answer (`on`); a command with neither meets silence. Answers
// leave 5 ms after the command unless told otherwise, all at once or
// `bytesPerMilli` at a time (28800 baud is about 2.6 bytes/ms).
#include <algorithm>
#include <bit>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/LinePeer.h"

namespace kt520::testing {

using link::Millis;

class ScriptedPeer : public link::LinePeer {
  public:
    void on(const std::string& command, std::string answer, Millis delay = Millis{5}) {
        standing_[command] = {std::move(answer), delay};
    }
    void once(const std::string& command, std::string answer, Millis delay = Millis{5}) {
        oneOff_[command].push_back({std::move(answer), delay});
    }
    void sendAt(Millis at, const std::string& bytes) { schedule(bytes, at); }

    void receiveFromHost(std::string_view bytes, Millis now) override {
        pending_.append(bytes);
        for (auto end = pending_.find('\r'); end != std::string::npos; end = pending_.find('\r')) {
            const std::string command = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            commands.push_back(command);
            answer(command, now);
            if (onCommand) onCommand(command, now);
        }
    }

    std::string takeForHost(Millis now) override {
        std::string due;
        while (!outgoing_.empty() && outgoing_.front().first <= now) {
            due.push_back(outgoing_.front().second);
            outgoing_.pop_front();
        }
        return due;
    }

    std::optional<Millis> arrivalOf(std::size_t count, Millis /*now*/) override {
        if (outgoing_.empty()) return std::nullopt;
        std::size_t last = 0;
        while (last + 1 < std::min(count, outgoing_.size()) &&
               outgoing_[last + 1].first - outgoing_[last].first <= link::kArrivalPause)
            ++last;
        return outgoing_[last].first;
    }

    bool deviceReady() const override { return ready; }

    std::vector<std::string> commands;
    bool ready = true;  // the device-ready input (DSR)
    int bytesPerMilli = 0;
    std::function<void(const std::string& command, Millis now)> onCommand;

  private:
    struct Answer {
        std::string bytes;
        Millis delay;
    };

    void answer(const std::string& command, Millis now) {
        auto queued = oneOff_.find(command);
        if (queued != oneOff_.end() && !queued->second.empty()) {
            const Answer next = queued->second.front();
            queued->second.pop_front();
            schedule(next.bytes, now + next.delay);
            return;
        }
        const auto standing = standing_.find(command);
        if (standing != standing_.end()) {
            schedule(standing->second.bytes, now + standing->second.delay);
        }
    }

    // Bytes leave in the order they were scheduled, never overtaking earlier ones.
    void schedule(const std::string& bytes, Millis at) {
        const Millis start = outgoing_.empty() ? at : std::max(at, outgoing_.back().first);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const Millis offset{bytesPerMilli > 0 ? static_cast<long long>(i) / bytesPerMilli : 0};
            outgoing_.emplace_back(start + offset, bytes[i]);
        }
    }

    std::map<std::string, Answer> standing_;
    std::map<std::string, std::deque<Answer>> oneOff_;
    std::deque<std::pair<Millis, char>> outgoing_;
    std::string pending_;
};

// A whole profile block: "OK", the point count and each value as big-endian
// IEEE singles, one trailing byte.
inline std::string blockReply(const std::vector<float>& values) {
    std::string bytes{'O', 'K', static_cast<char>(values.size() >> 8),
                      static_cast<char>(values.size() & 0xFF)};
    for (const float value : values) {
        const auto word = std::bit_cast<std::uint32_t>(value);
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<char>((word >> shift) & 0xFF));
        }
    }
    bytes.push_back('\r');
    return bytes;
}

}  // namespace kt520::testing
