#pragma once
// An instrument link on an in-memory line on a virtual clock, whose far end
// answers each command with the next piece of the fuzz input: a bounded
// wait costs no real time, and every exchange runs to its end at once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "async/Task.h"
#include "async/VirtualLoop.h"
#include "lang/InternalFault.h"
#include "link/InMemoryLine.h"
#include "link/InstrumentLink.h"
#include "link/LinePeer.h"
#include "support/RunTask.h"

namespace kt520::fuzzing {

// Answers every command with the next piece of its script, the pieces being
// the fuzz input cut at each "#|#"; past the last piece the line is silent.
// A piece arrives all at once, or, trickling, a byte a millisecond (so that
// the rest of a reply may still be on its way when the next command goes out).
class FuzzPeer : public link::LinePeer {
  public:
    FuzzPeer(std::string_view script, bool trickle) : script_(script), trickle_(trickle) {}

    void receiveFromHost(std::string_view bytes, link::Millis now) override {
        for (char c : bytes) {
            if (c != '\r') continue;
            link::Millis at = std::max(now, arriving_.empty() ? now : arriving_.back().first);
            for (char b : nextPiece()) arriving_.emplace_back(at += link::Millis{trickle_}, b);
        }
    }
    std::string takeForHost(link::Millis now) override {
        std::string arrived;
        for (; !arriving_.empty() && arriving_.front().first <= now; arriving_.pop_front())
            arrived += arriving_.front().second;
        return arrived;
    }
    std::optional<link::Millis> arrivalOf(std::size_t count, link::Millis) override {
        if (arriving_.empty()) return std::nullopt;
        return arriving_[std::min(count, arriving_.size()) - 1].first;
    }
    // The piece that answered the last command.
    const std::string& lastPiece() const { return last_; }

  private:
    std::string nextPiece() {
        if (done_) return last_ = {};
        const std::size_t cut = script_.find("#|#");
        last_ = std::string(script_.substr(0, cut));
        done_ = cut == std::string_view::npos;
        if (!done_) script_.remove_prefix(cut + 3);
        return last_;
    }

    std::string_view script_;
    bool trickle_;
    std::deque<std::pair<link::Millis, char>> arriving_;
    std::string last_;
    bool done_ = false;
};

// How an exchange ended.
enum class Ending { Done, LineLost, InternalFault };

// A link already connected to a FuzzPeer on port 1.
struct FuzzLine {
    explicit FuzzLine(std::string_view script, bool trickle = false) : peer(script, trickle) {
        line.attach(1, peer);
        line.open(1, link::kLineSettings);
        link.setState(link::LinkState::Connected);
    }

    // Runs the exchange as a job to its end on the loop (a wait that nothing
    // will ever end escapes as a crash, and so does any other exception) and
    // keeps its result.
    template <typename T>
    Ending run(async::Task<T> exchange, std::optional<T>& result) {
        return ending([&] { result = testing::runTask(loop, std::move(exchange)); });
    }
    Ending run(async::Task<void> exchange) {
        return ending([&] { testing::runTask(loop, std::move(exchange)); });
    }

    async::VirtualLoop loop;
    FuzzPeer peer;
    link::InMemoryLine line{loop};
    link::InstrumentLink link{loop, line};

  private:
    template <typename F>
    static Ending ending(F&& runToEnd) {
        try {
            runToEnd();
        } catch (const link::LineLost&) {
            return Ending::LineLost;
        } catch (const lang::InternalFault&) {
            return Ending::InternalFault;
        }
        return Ending::Done;
    }
};

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace kt520::fuzzing
