#pragma once
// The instrument session as the program wires it, on a virtual clock: the
// simulated instrument (or a scripted one) on port 1 of an in-memory line,
// the condition panel with its rules, the English catalog, a data folder of
// its own, and an observer that records everything the operator would see.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "async/VirtualLoop.h"
#include "conditions/ConditionPanel.h"
#include "lang/MessageCatalog.h"
#include "link/InMemoryLine.h"
#include "rules/ConditionRules.h"
#include "session/Session.h"
#include "sim/Instrument.h"
#include "sim/MeasuringConditions.h"
#include "support/ScriptedPeer.h"
#include "support/TemporaryFolder.h"

namespace kt520::testing {

using session::Action;
using Texts = std::vector<std::string>;

inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "<missing>";
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every file of the folder with its bytes.
using Folder = std::map<std::string, std::string>;
inline Folder snapshot(const std::filesystem::path& path) {
    Folder files;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        files[entry.path().filename().string()] = fileText(entry.path());
    return files;
}

// The lines as the data files hold them: each followed by CR LF.
inline std::string crlfLines(const Texts& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

struct RecordingObserver : session::SessionObserver {
    void showMessage(const session::Message& message) override { messages.push_back(message); }
    void lengthRefused() override { ++lengthRefusals; }
    void statusText(const std::string& text) override { statuses.push_back(text); }
    void statusList(const Texts& lines) override { list = lines; }
    void progress(const session::Progress& shown) override { bar = shown; }
    void identified(const link::ModelInfo& info, bool) override { model = info; }
    void connected(int port, link::LinkState state) override {
        connections.emplace_back(port, state);
    }
    void actionStarted(Action) override {}
    void actionEnded(Action) override {}
    void runBusy(bool busy) override { busyChanges.push_back(busy); }
    void runEnded(const measurement::RunRecord& record) override {
        runs.push_back(record);
        if (record.outcome == measurement::RunRecord::Outcome::Written) published.push_back(record);
    }
    void programEnds() override { ended = true; }

    Texts texts() const {
        Texts shown;
        for (const auto& message : messages) shown.push_back(message.text);
        return shown;
    }

    std::vector<session::Message> messages;
    Texts statuses;
    Texts list;
    session::Progress bar;
    link::ModelInfo model;
    std::vector<std::pair<int, link::LinkState>> connections;
    std::vector<bool> busyChanges;
    std::vector<measurement::RunRecord> runs;       // every run's end, however it ended
    std::vector<measurement::RunRecord> published;  // the runs that wrote their files
    int lengthRefusals = 0;
    bool ended = false;
};

// "OK", the state, the data status and seven more status characters.
inline std::string statusReply(char state, char dataStatus = '1') {
    return std::string("OK") + state + dataStatus + "0000000";
}

inline std::string conditionReply(const sim::MeasuringConditions& conditions,
                                  int romVersion = 1311) {
    return "OK" + sim::conditionRecord(conditions, conditions.cutOff - '1', romVersion) + "\r";
}

// A scripted KT-520 that accepts every write command `writeTakes` after it
// came and holds the given conditions, results and profiles.
struct ScriptedInstrument {
    explicit ScriptedInstrument(link::Millis writeTakes = link::Millis{5}) {
        peer.onCommand = [this, writeTakes](const std::string& command, link::Millis now) {
            if (command.starts_with("WR")) peer.sendAt(now + writeTakes, "OK\r");
        };
        peer.on("RDKT 00", "RDKTKT520 V 1.311,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,50\r");
        peer.on("RDCON00", conditionReply(conditions));
        peer.on("RDRES00", "OK1.23,4.56\r");
        peer.on("RDSTU00", statusReply('0'));
    }
    // The measured blocks, the end of the measured profile, then the evaluation blocks.
    void holdProfiles(const std::vector<std::vector<float>>& measured,
                      const std::vector<std::vector<float>>& evaluation) {
        for (const auto& block : measured) peer.once("RDDTB00", blockReply(block));
        peer.once("RDDTB00", "NG04\r");
        for (const auto& block : evaluation) peer.once("RDDTB00", blockReply(block));
        peer.on("RDDTB00", "NG04\r");
    }
    void holdConditions(const sim::MeasuringConditions& held) {
        conditions = held;
        peer.on("RDCON00", conditionReply(conditions));
    }
    int count(const std::string& command) const {
        return static_cast<int>(std::count(peer.commands.begin(), peer.commands.end(), command));
    }

    ScriptedPeer peer;
    sim::MeasuringConditions conditions;
};

// Sits between the line and an instrument and notes every command with the
// time it was sent; `onCommand` may act on it (from the event loop, as an
// operator would, never inside the exchange).
struct Tap : link::LinePeer {
    explicit Tap(link::LinePeer& inner) : inner_(inner) {}
    void receiveFromHost(std::string_view bytes, link::Millis now) override {
        for (char c : bytes) {
            if (c != '\r') {
                pending_ += c;
                continue;
            }
            sent.push_back({pending_, now});
            if (onCommand) onCommand(pending_, now);
            pending_.clear();
        }
        inner_.receiveFromHost(bytes, now);
    }
    std::string takeForHost(link::Millis now) override { return inner_.takeForHost(now); }
    std::optional<link::Millis> arrivalOf(std::size_t count, link::Millis now) override {
        return inner_.arrivalOf(count, now);
    }
    bool deviceReady() const override { return inner_.deviceReady(); }
    void hostOpened(bool open) override { inner_.hostOpened(open); }

    // When `command` was sent the n-th time (1-based), or -1.
    long long timeOf(const std::string& command, int n = 1) const {
        for (const auto& [text, when] : sent)
            if (text == command && --n == 0) return when.count();
        return -1;
    }
    int count(const std::string& command) const {
        return static_cast<int>(std::count_if(sent.begin(), sent.end(),
                                              [&](const auto& c) { return c.first == command; }));
    }

    std::vector<std::pair<std::string, link::Millis>> sent;
    std::function<void(const std::string&, link::Millis)> onCommand;

  private:
    link::LinePeer& inner_;
    std::string pending_;
};

struct SessionRig {
    // The simulated instrument with `config` on port 1.
    explicit SessionRig(const sim::SimConfig& config = {}) : simulated(config) {
        line.attach(1, tap);
        panel.setRules(rules);
    }
    // Another instrument on port 1.
    explicit SessionRig(link::LinePeer& peer) {
        line.attach(1, peer);
        panel.setRules(rules);
    }

    // The start-up search; it finds what is on port 1.
    void connect() {
        session.post({Action::Search});
        settle();
    }
    void act(Action action, int argument = 0) {
        session.post({action, argument});
        settle();
    }
    // Everything due, within an hour of virtual time.
    void settle() { loop.runUntilIdle(loop.now() + async::Millis{3'600'000}); }
    void at(async::Millis when, std::function<void()> what) { loop.callAt(when, std::move(what)); }

    // Stop, clicked `after` the n-th time `command` goes out.
    void stopAfter(const std::string& command, int n, async::Millis after) {
        tap.onCommand = [=, this](const std::string& sent, link::Millis now) {
            if (sent == command && tap.count(command) == n)
                loop.callAt(now + after, [this] {
                    stopClickedAt = loop.now();
                    session.stop();
                });
        };
    }

    // The commands the host sent since `from` (an index into all of them).
    Texts commands(std::size_t from = 0) const {
        Texts sent;
        std::string current;
        for (char c : line.written()) {
            if (c != '\r') {
                current += c;
                continue;
            }
            sent.push_back(current);
            current.clear();
        }
        return Texts(sent.begin() + static_cast<std::ptrdiff_t>(std::min(from, sent.size())),
                     sent.end());
    }
    std::string file(const char* name) const { return fileText(folder.path() / name); }
    bool noDataFiles() const { return std::filesystem::is_empty(folder.path()); }

    TemporaryFolder folder;
    async::VirtualLoop loop;
    sim::Instrument simulated;
    Tap tap{simulated};
    link::InMemoryLine line{loop};
    conditions::ConditionPanel panel;
    rules::ConditionRules rules{panel};
    lang::MessageCatalog catalog = [] {
        lang::MessageCatalog english;
        english.load("E");
        return english;
    }();
    RecordingObserver observer;
    async::Millis stopClickedAt{-1};
    async::InlineWorker worker{loop};
    session::Session session{{loop, worker, line, panel, catalog, observer, folder.path(), "E"}};
};

}  // namespace kt520::testing
