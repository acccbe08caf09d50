// Every fault the simulated instrument can commit, at every phase of a run:
// the run ends within its bounded waits, the operator sees what explains
// it (and nothing where the run can go on), the data folder holds the
// previous run's files byte for byte or the new run's whole set, and once
// the instrument has settled the next run works.
#include <gtest/gtest.h>

#include "FaultRig.h"

namespace kt520::testing {
namespace {

using async::Millis;

const std::string kNotFinished = "The measurement is not finished currently. ";

struct Outcome {
    char code;
    Texts messages;
    bool newFiles;
    bool operatorStops = false;  // the status never leaves busy: the operator clicks Stop
    bool programEnds = false;
};
const Outcome kOutcomes[] = {
    {'L', {kLineLost}, false},                     // the line is lost
    {'O', {}, true},                               // the run goes on
    {'E', {"OverRange-In"}, true},                 // an error reply told, the run goes on
    {'R', {"OverRange-In"}, false},                // the start refused
    {'C', {"OverRange-In", kNotFinished}, false},  // a condition refused
    {'B', {kNotFinished}, false},                  // the instrument says it is busy
    {'S', {}, false, true},                        // ... and never stops saying so
    {'D', {"A data block of 1001 points was dropped: a block holds at most 1000."}, true},
    {'M', {"It is not supported. "}, true},  // identification read no model
    {'X', {"Communication Softwear Error。No.17"}, false, false, true},  // a code no table knows
    // Read-back codes that name no entry: told, and nothing measured on them.
    {'U',
     {"The instrument sent condition codes the panel has no entry for: Cut-off \"#\", N \"%\", "
      "Profile \"@\", Filter \"\r\", Standard \"\", Range \"\", OverRange \"\", Unit \"\", "
      "Pre/Post \"\", Speed \"\", AutoReturn \"\", ANX \"\". These items keep their settings on "
      "the panel."},
     false},
};

struct Fault {
    const char* name;
    const char* text;  // with ":" and the command inserted after its kind
};
const Fault kFaults[] = {
    {"NoAnswer", "no-answer"}, {"Late", "late=2500"},    {"Garbage", "garbage"},
    {"Truncate", "truncate"},  {"Refused", "ng=05"},     {"Close", "close"},
    {"Busy", "busy"},          {"Overlong", "overlong"}, {"HugeBlock", "huge-block"}};

struct Phase {
    const char* name;
    const char* trigger;   // the faults are set once this command has gone out; empty: at once
    const char* command;   // the command (and occurrence) the fault hits
    const char* outcomes;  // one per fault above; '-' where it cannot fail otherwise than
                           // another case (truncate as close, late beyond its bound as
                           // no-answer, overlong blocks as garbage, block faults on text)
};
const Phase kPhases[] = {
    {"Identification", "", "RDKT 00", "LOM-MLBL-"},
    {"StatusCheck", "", "RDSTU00#1", "LOO-ELBL-"},
    {"Conditions", "", "WRSTD", "LOO-CLBL-"},
    {"ReadBack", "", "RDCON00#1", "LOU-RLBL-"},
    {"Start", "", "WRSTA", "LOO-RLSL-"},
    {"MeasuredTransfer", "", "RDDTB00#3", "LOXLOLS-D"},
    {"Polling", "", "RDSTU00#4", "LOO-ELSL-"},
    {"EvaluationTransfer", "WRCAN0000101", "RDDTB00#2", "LOXLOLO-D"},
    {"Results", "", "RDRES00", "LOO-OLOL-"},
    {"ConditionFile", "", "RDCON00#2", "LOX-XLOL-"},
};

struct Case {
    const Phase* phase;
    const Fault* kind;
    std::string fault;  // its text
    const Outcome* outcome;
};

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const Phase& phase : kPhases) {
        for (std::size_t f = 0; f < std::size(kFaults); ++f) {
            const auto outcome = std::ranges::find(kOutcomes, phase.outcomes[f], &Outcome::code);
            std::string text = kFaults[f].text;
            text.insert(std::min(text.find('='), text.size()), std::string(":") + phase.command);
            if (outcome != std::end(kOutcomes))
                cases.push_back({&phase, &kFaults[f], text, &*outcome});
        }
    }
    return cases;
}

// A fault costs at most a few bounded waits on top of the run it breaks.
constexpr Millis kAllowance = 4 * link::kDefaultReplyTimeout;
// How long the operator waits on a run that shows no end before clicking Stop.
constexpr Millis kPatience{120'000};

// Runs Start to its end; the virtual time it took.
Millis runToItsEnd(SessionRig& rig) {
    const Millis started = rig.loop.now();
    rig.session.post({Action::Start});
    if (!rig.loop.runUntilIdle(started + kPatience)) {
        rig.session.stop();
        rig.settle();
    }
    return rig.loop.now() - started;
}

class FaultMatrix : public ::testing::TestWithParam<Case> {};

TEST_P(FaultMatrix, EndsBoundedToldAndLosesNothing) {
    const Case& c = GetParam();
    SCOPED_TRACE(c.fault);
    SessionRig rig;
    rig.connect();
    // At 0.1 mm/s the measured transfer keeps pace with the stylus, so the
    // polling that follows sees the instrument calculate.
    rig.panel.click(conditions::Item::Speed, 1);
    const Millis clean = runToItsEnd(rig);
    ASSERT_EQ(rig.observer.texts(), Texts{});
    const Folder before = snapshot(rig.folder.path());

    const sim::Faults faults = faultFrom(c.fault);
    rig.tap.onCommand = [&](const std::string& command, link::Millis) {
        if (command == c.phase->trigger) rig.loop.post([&] { rig.simulated.setFaults(faults); });
    };
    if (*c.phase->trigger == '\0') rig.simulated.setFaults(faults);
    const Millis took = runToItsEnd(rig);

    EXPECT_LT(took, clean + kAllowance + (c.outcome->operatorStops ? kPatience : Millis{0}));
    EXPECT_EQ(rig.observer.texts(), c.outcome->messages);
    EXPECT_EQ(rig.observer.ended, c.outcome->programEnds);
    ASSERT_EQ(rig.observer.published.size(), c.outcome->newFiles ? 2u : 1u);
    if (c.outcome->newFiles) {
        EXPECT_TRUE(holdsRun(snapshot(rig.folder.path()), rig.observer.published.back()));
    } else {
        EXPECT_EQ(snapshot(rig.folder.path()), before);
    }
    if (c.outcome->programEnds) return;

    // Once the instrument has settled and the fault is gone, the next run works.
    rig.loop.runFor(Millis{60'000});
    rig.tap.onCommand = nullptr;
    rig.simulated.setFaults({});
    sim::Instrument replugged;
    if (c.fault.starts_with("close")) {
        rig.line.attach(1, replugged);
        rig.act(Action::Connect, 1);
    }
    // Items the instrument has not confirmed wait for a read-back, as the operator is told.
    if (c.outcome->code == 'U') rig.act(Action::ConditionRead);
    EXPECT_TRUE(startsCleanly(rig));
}

INSTANTIATE_TEST_SUITE_P(AllPhases, FaultMatrix, ::testing::ValuesIn(allCases()),
                         [](const auto& info) {
                             return std::string(info.param.phase->name) + info.param.kind->name;
                         });

}  // namespace
}  // namespace kt520::testing
