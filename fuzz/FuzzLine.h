#pragma once
// An instrument link on an in-memory line whose far end answers each command
// with the next piece of the fuzz input, on a coarse simulated clock so that
// bounded waits cost few rounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/InMemorySerialPort.h"
#include "link/InstrumentLink.h"
#include "link/LinePeer.h"
#include "link/SimulatedPump.h"

namespace kt520::fuzzing {

class SilentOperator : public lang::Operator {
  public:
    void showMessage(const std::string&, const std::string&, lang::MessageIcon) override {
        ++messages;
    }
    void beep() override {}
    void endProgram() override {}
    int messages = 0;
};

// Answers every command with the next piece of its script; the pieces are
// the fuzz input cut at each "#|#". Past the last piece the line is silent.
class FuzzPeer : public link::LinePeer {
  public:
    explicit FuzzPeer(std::string_view script) : script_(script) {}

    void receiveFromHost(std::string_view bytes, link::Millis) override {
        for (char c : bytes)
            if (c == '\r') pending_ += nextPiece();
    }
    std::string takeForHost(link::Millis) override {
        std::string out;
        out.swap(pending_);
        return out;
    }

  private:
    std::string nextPiece() {
        if (done_) return {};
        const std::size_t cut = script_.find("#|#");
        std::string piece(script_.substr(0, cut));
        if (cut == std::string_view::npos)
            done_ = true;
        else
            script_.remove_prefix(cut + 3);
        return piece;
    }

    std::string_view script_;
    std::string pending_;
    bool done_ = false;
};

inline const lang::MessageCatalog& englishCatalog() {
    static const lang::MessageCatalog catalog = [] {
        lang::MessageCatalog loaded;
        loaded.load("E");
        return loaded;
    }();
    return catalog;
}

// A link already connected ("OK") to a FuzzPeer on COM1.
struct FuzzLine {
    explicit FuzzLine(std::string_view script) : peer(script) {
        port.attach(1, peer);
        port.setPortNumber(1);
        port.open();
        link.linkState = "OK";
    }

    link::SimulatedPump pump{link::Millis{100}};
    link::InMemorySerialPort port{pump};
    FuzzPeer peer;
    SilentOperator op;
    link::InstrumentLink link{port, pump, op, englishCatalog()};
};

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace kt520::fuzzing
