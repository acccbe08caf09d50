#pragma once
// The host's side of a conversation with the simulated instrument, driven
// through its LinePeer interface at explicit times: a command goes out and
// its reply is collected millisecond by millisecond, as the program reads it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "link/Replies.h"
#include "sim/Instrument.h"

namespace kt520::sim::testing {

using link::Millis;
using Texts = std::vector<std::string>;

// The points of a block reply.
inline std::vector<float> blockPoints(const std::string& block) {
    return link::blockPoints(std::string_view(block).substr(4, block.size() - 5));
}

class SimHost {
  public:
    explicit SimHost(Instrument& instrument) : instrument_(instrument) {}

    void send(std::string_view command) {
        instrument_.receiveFromHost(std::string(command) + '\r', now);
    }
    // Everything that arrives within `window`.
    std::string collect(Millis window) {
        std::string got;
        for (const Millis end = now + window; now < end;) got += instrument_.takeForHost(++now);
        return got;
    }
    // Sends the command and reads one whole reply (a text up to its carriage
    // return, an 11-byte status, or a block), or what came within 10 s.
    std::string ask(std::string_view command) {
        send(command);
        std::string got;
        for (const Millis end = now + Millis{10000}; now < end && !complete(command, got);)
            got += instrument_.takeForHost(++now);
        return got;
    }
    void accept(std::initializer_list<std::string_view> commands) {
        for (const std::string_view command : commands) EXPECT_EQ(ask(command), "OK\r") << command;
    }
    // The state and the data-held characters of the status reply.
    std::string status() { return ask("RDSTU00").substr(2, 2); }

    Millis now{0};

  private:
    static bool complete(std::string_view command, const std::string& got) {
        if (got.size() < 4) return got.size() >= 2 && got.back() == '\r';
        if (got.starts_with("NG")) return got.size() >= 5;
        if (command == "RDSTU00") return got.size() >= 11;
        if (command == "RDDTB00")
            return got.size() >= 5 + 4 * static_cast<std::size_t>(link::blockPointCount(got));
        return got.back() == '\r';
    }

    Instrument& instrument_;
};

// A field of a condition reply, by its 1-based start column in the record.
inline std::string column(const std::string& reply, int start, int width) {
    return reply.substr(static_cast<std::size_t>(start + 1), static_cast<std::size_t>(width));
}

// A default instrument and the host talking to it.
class SimTest : public ::testing::Test {
  protected:
    Instrument instrument;
    SimHost host{instrument};
};

}  // namespace kt520::sim::testing
