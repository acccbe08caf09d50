#pragma once
// The host side of a conversation with the simulated instrument on a fake
// clock: sends a command and collects its reply the way the program reads it.
#include <bit>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "sim/Instrument.h"

namespace kt520::sim::testing {

using link::Millis;

class SimHost {
  public:
    explicit SimHost(Instrument& instrument) : instrument_(instrument) {}

    void send(std::string_view command) {
        instrument_.receiveFromHost(std::string(command) + '\r', now);
    }
    void advance(Millis by) { now += by; }

    // Everything that arrives within `window`.
    std::string collect(Millis window) {
        std::string got;
        for (Millis end = now + window; now < end;) {
            now += Millis{1};
            got += instrument_.takeForHost(now);
        }
        return got;
    }

    // Sends the command and reads one whole reply (a text up to its carriage
    // return, an 11-byte status, or a block), or what came within 10 s.
    std::string ask(std::string_view command) {
        send(command);
        std::string got;
        for (Millis end = now + Millis{10000}; now < end && !complete(command, got);) {
            now += Millis{1};
            got += instrument_.takeForHost(now);
        }
        return got;
    }

    // Sends each command and expects the instrument to accept it.
    void accept(std::initializer_list<std::string_view> commands) {
        for (const std::string_view command : commands) EXPECT_EQ(ask(command), "OK\r") << command;
    }

    char status() { return ask("RDSTU00").substr(2, 1).front(); }
    // The status and the data-held characters of the status reply.
    std::string statusAndData() { return ask("RDSTU00").substr(2, 2); }

    Millis now{0};

  private:
    static bool complete(std::string_view command, const std::string& got) {
        if (got.size() < 2) return false;
        if (got.starts_with("NG")) return got.size() >= 5;
        if (command == "RDSTU00") return got.size() >= 11;
        if (command == "RDDTB00" && got.starts_with("OK")) {
            if (got.size() < 4) return false;
            const std::size_t n =
                (static_cast<std::uint8_t>(got[2]) << 8) | static_cast<std::uint8_t>(got[3]);
            return got.size() >= 5 + 4 * n;
        }
        return got.back() == '\r';
    }

    Instrument& instrument_;
};

// A default instrument and the host talking to it.
class SimTest : public ::testing::Test {
  protected:
    Instrument instrument;
    SimHost host{instrument};
};

// The points of a block reply, decoded from their big-endian bytes.
inline std::vector<float> blockPoints(const std::string& block) {
    std::vector<float> points;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(block[i]); };
    const std::size_t n = (byte(2) << 8) | byte(3);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t at = 4 + 4 * k;
        const std::uint32_t bits = (std::uint32_t{byte(at)} << 24) | (byte(at + 1) << 16) |
                                   (byte(at + 2) << 8) | byte(at + 3);
        points.push_back(std::bit_cast<float>(bits));
    }
    return points;
}

// Field k (1-based) of a condition reply, cut at its 1-based start column.
inline std::string column(const std::string& reply, int start, int width) {
    return reply.substr(static_cast<std::size_t>(start + 1), static_cast<std::size_t>(width));
}

}  // namespace kt520::sim::testing
