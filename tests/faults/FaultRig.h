#pragma once
// The program's controller against the simulated instrument on the simulated
// clock, with faults that switch on when the program sends a chosen command,
// an operator who presses Stop when a run goes on too long, a guard that
// fails a test whose loops never end, and snapshots of the data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "app/AppRig.h"
#include "lang/Operator.h"
#include "sim/Faults.h"

namespace kt520::testing {

inline const std::vector<std::string> kDataFiles = {"Evaluation.csv", "Measured.csv",
                                                    "Parameter.csv", "Condition.csv"};

// Sits between the line and the simulated instrument. A fault plan can be
// armed at once or right after the host has sent a trigger command, so a
// fault hits one phase of a run and not the commands before it.
class FaultSwitch : public link::LinePeer {
  public:
    explicit FaultSwitch(sim::Instrument& instrument) : instrument_(&instrument) {}

    void armNow(sim::Faults faults) {
        trigger_.clear();
        instrument_->setFaults(std::move(faults));
    }
    void armAfter(std::string trigger, sim::Faults faults) {
        trigger_ = std::move(trigger);
        pending_ = std::move(faults);
    }
    void disarm() { armNow({}); }
    // A fresh instrument on the same line, as when the adapter is plugged again.
    void replace(sim::Instrument& instrument) { instrument_ = &instrument; }

    void receiveFromHost(std::string_view bytes, link::Millis now) override {
        for (char c : bytes) {
            instrument_->receiveFromHost(std::string_view(&c, 1), now);
            if (c != '\r') {
                command_ += c;
                continue;
            }
            if (!trigger_.empty() && command_.starts_with(trigger_)) armNow(std::move(pending_));
            command_.clear();
        }
    }
    std::string takeForHost(link::Millis now) override { return instrument_->takeForHost(now); }
    bool deviceReady() const override { return instrument_->deviceReady(); }
    void hostOpened(bool open) override {
        command_.clear();
        instrument_->hostOpened(open);
    }

  private:
    sim::Instrument* instrument_;
    std::string trigger_;
    sim::Faults pending_;
    std::string command_;
};

// A loop that keeps pumping far beyond any bounded wait.
struct RunawayLoop {};

struct ClickOutcome {
    link::Millis elapsed{0};
    bool stopPressed = false;
    bool programEnded = false;
};

inline sim::Faults faultsFrom(std::initializer_list<const char*> texts) {
    sim::Faults faults;
    for (const char* text : texts) {
        sim::FaultRule rule;
        std::string error;
        EXPECT_TRUE(sim::parseFaultRule(text, rule, error)) << text << ": " << error;
        faults.rules.push_back(rule);
    }
    return faults;
}

inline std::map<std::string, std::string> snapshotFolder(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().filename().string()] = bytes.str();
    }
    return files;
}

struct FaultRig : AppRig {
    static constexpr double kSpeed = 20;
    // An operator waits this long on a run that shows no end before pressing Stop.
    static constexpr link::Millis kPatience{60000};
    // Far more pump rounds than any run with all its bounded waits needs.
    static constexpr long long kMaxRounds = 3'000'000;

    explicit FaultRig(const std::string& languageFile = kEnglishFile) : AppRig(languageFile) {
        config = simulator();
        config.speedFactor = kSpeed;
        replug();
        pump.onEvents = [this] { onRound(); };
        AppRig::start();
    }

    // A new simulated instrument on COM1, as when the adapter is plugged in
    // again; a new seed, so that its runs differ from the earlier ones.
    void replug() {
        ++config.seed;
        instruments.push_back(std::make_unique<sim::Instrument>(config));
        if (!line) {
            line = std::make_unique<FaultSwitch>(*instruments.back());
            port.attach(1, *line);
        } else {
            line->replace(*instruments.back());
        }
    }

    // The operator's click, guarded: a run that does not end within kPatience
    // of simulated time gets Stop, and a loop that never ends fails the test.
    ClickOutcome click(ui::CommandButton& button) {
        ClickOutcome outcome;
        clickStarted_ = pump.now();
        clickRounds_ = pump.rounds();
        stopPressed_ = false;
        try {
            button.click();
        } catch (const lang::ProgramEnded&) {
            outcome.programEnded = true;
        } catch (const RunawayLoop&) {
            ADD_FAILURE() << "a loop ran past " << kMaxRounds << " rounds of the pump";
        }
        outcome.elapsed = pump.now() - clickStarted_;
        outcome.stopPressed = stopPressed_;
        clickRounds_ = -1;
        return outcome;
    }
    ClickOutcome startRun() { return click(main->window().cmdSTART); }

    std::filesystem::path folder() const { return dataPath(); }
    std::map<std::string, std::string> dataFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& [name, bytes] : snapshotFolder(folder()))
            if (name.ends_with(".csv") || name.ends_with(".new")) files[name] = bytes;
        return files;
    }

    sim::SimConfig config;
    std::unique_ptr<FaultSwitch> line;
    // Runs on every pump round of a click with the time since the click.
    std::function<void(link::Millis)> duringClick;

  private:
    void onRound() {
        if (clickRounds_ < 0) return;
        if (pump.rounds() - clickRounds_ > kMaxRounds) throw RunawayLoop{};
        if (duringClick) duringClick(pump.now() - clickStarted_);
        const std::string& mode = main->runMode();
        if (stopPressed_ || pump.now() - clickStarted_ < kPatience) return;
        if (mode != "WRSTA" && mode != "DRSTA") return;
        stopPressed_ = true;
        main->window().cmdSTOP.click();
    }

    link::Millis clickStarted_{0};
    long long clickRounds_ = -1;
    bool stopPressed_ = false;
};

// True when the four files are there and each ends with a whole line.
inline ::testing::AssertionResult completeRunFiles(
    const std::map<std::string, std::string>& files) {
    for (const std::string& name : kDataFiles) {
        const auto found = files.find(name);
        if (found == files.end()) return ::testing::AssertionFailure() << name << " is missing";
        // A profile whose transfer brought no point is an empty file; any
        // other file ends with a whole line.
        const bool mayBeEmpty = name == "Measured.csv" || name == "Evaluation.csv";
        if (found->second.empty() ? !mayBeEmpty : !found->second.ends_with("\r\n"))
            return ::testing::AssertionFailure() << name << " does not end with a whole line";
    }
    for (const auto& [name, bytes] : files)
        if (name.ends_with(".new")) return ::testing::AssertionFailure() << name << " was left";
    const std::string& condition = files.at("Condition.csv");
    if (condition.find("LNG ") == std::string::npos)
        return ::testing::AssertionFailure() << "Condition.csv has no condition listing";
    return ::testing::AssertionSuccess();
}

}  // namespace kt520::testing
