// What a run checks on the panel before it measures, and what the operator
// is told: a length out of its range, a read-back the panel cannot show, and
// an inch length read back into an inch panel.
#include <gtest/gtest.h>

#include <functional>

#include "support/SessionRig.h"

namespace kt520::testing {
namespace {

using conditions::Item;

struct Check {
    const char* name;
    std::function<void(ScriptedInstrument&)> instrument;  // what it holds before Condition Read
    std::function<void(SessionRig&)> operate;             // the operator, before Start
    const char* told;                                     // the message box, empty: none
    const char* status;                                   // the status after Start
    int refusals;                                         // beeps with the length selected
    bool measured;
};

TEST(ConditionChecks, StartMeasuresOnlyOnEntriesInRangeAndConditionsTheInstrumentConfirmed) {
    const auto typeLength = [](const char* text) {
        return [text](SessionRig& rig) {
            rig.panel.click(Item::Sections, 6);
            rig.panel.typeLength(text);
            rig.panel.enterLength();
        };
    };
    const auto motif = [](int box, const char* text) {
        return [box, text](SessionRig& rig) {
            rig.panel.click(Item::Profile, 5);
            rig.panel.restoreMotifLengths();
            rig.panel.typeMotifLength(box, text);
        };
    };
    // The instrument's speed code "9", which names no entry of the panel, in
    // the next read-back only.
    const auto unknownSpeed = [](ScriptedInstrument& instrument) {
        sim::MeasuringConditions held = instrument.conditions;
        held.speed = '9';
        instrument.peer.once("RDCON00", conditionReply(held));
    };
    const auto none = [](auto&) {};
    const Check checks[] = {
        {"length in range", none, typeLength("12.5"), "", "Finished: the data files are written.",
         0, true},
        {"motif length too long", none, motif(2, "3.14159"),
         "MOTIF-L 2 \"3.14159\" is too long: at most 5 characters, allowed 0.7-3.2 mm.", nullptr, 0,
         false},
        {"motif length out of its box's range", none, motif(4, "16"),
         "MOTIF-L 4 \"16\" is out of range: allowed 16.1-50.8 mm.", nullptr, 0, false},
        {"read-back code that names no entry", unknownSpeed, none,
         "The instrument has not confirmed Speed: read the conditions again (Condition Read) "
         "or choose them on the panel.",
         nullptr, 0, false},
        {"unconfirmed item chosen again", unknownSpeed,
         [](SessionRig& rig) { rig.panel.click(Item::Speed, 3); }, "",
         "Finished: the data files are written.", 0, true},
    };
    for (const Check& check : checks) {
        SCOPED_TRACE(check.name);
        ScriptedInstrument instrument;
        instrument.holdProfiles({{1.0f, 2.0f, 3.0f}}, {{1.0f, 2.0f}});
        SessionRig rig(instrument.peer);
        rig.connect();
        check.instrument(instrument);
        rig.act(Action::ConditionRead);
        check.operate(rig);
        rig.observer.messages.clear();
        rig.act(Action::Start);
        const Texts told = rig.observer.texts();
        EXPECT_EQ(told.empty() ? "" : told.back(), check.told);
        if (check.status) {
            EXPECT_EQ(rig.observer.statuses.back(), check.status);
        }
        EXPECT_EQ(rig.observer.lengthRefusals, check.refusals);
        EXPECT_EQ(instrument.count("WRSTA"), check.measured ? 1 : 0);
    }
}

// The code that names no entry is told with its item and the panel keeps its
// choice (a later good read-back lets the run start: the fault matrix's
// ReadBack cases).
TEST(ConditionChecks, AnUnknownReadBackCodeIsToldAndKeepsThePanel) {
    ScriptedInstrument instrument;
    instrument.holdProfiles({{1.0f, 2.0f, 3.0f}}, {{1.0f, 2.0f}});
    SessionRig rig(instrument.peer);
    rig.connect();
    sim::MeasuringConditions held = instrument.conditions;
    held.speed = '9';
    instrument.holdConditions(held);
    rig.act(Action::ConditionRead);
    EXPECT_EQ(rig.observer.texts().back(),
              "The instrument sent condition codes the panel has no entry for: Speed \"9\". "
              "These items keep their settings on the panel.");
    EXPECT_TRUE(rig.panel.state().speed.is(conditions::Speed::Mm0_5));
}

// An inch instrument with "L": the panel shows the inch length it reported,
// the run's conditions keep it in millimetres, and the next Start takes the entry.
TEST(ConditionChecks, AnInchLengthReadBackStaysInchesOnTheInchPanel) {
    ScriptedInstrument instrument;
    instrument.holdProfiles({{1.0f, 2.0f, 3.0f}}, {{1.0f, 2.0f}});
    sim::MeasuringConditions inch;
    inch.unit = '2';
    inch.sections = 'L';
    inch.arbitraryLengthMm = 2.286;  // .09 inch
    instrument.holdConditions(inch);
    SessionRig rig(instrument.peer);
    rig.connect();
    rig.act(Action::ConditionRead);
    EXPECT_EQ(rig.panel.state().lengthText, "0.09");
    rig.act(Action::Start);
    rig.act(Action::Start);
    EXPECT_EQ(rig.observer.lengthRefusals, 0);
    EXPECT_EQ(instrument.count("WRSTA"), 2);
    EXPECT_EQ(rig.panel.state().lengthText, "0.09");
    ASSERT_EQ(rig.observer.published.size(), 2u);
    EXPECT_EQ(rig.observer.published.back().conditions.evaluationLengthText, "2.2");
}

}  // namespace
}  // namespace kt520::testing
