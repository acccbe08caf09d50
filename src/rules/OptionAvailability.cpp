// Which frames and options the chosen profile offers: the decision table,
// row by row in its fixed order, then either the length rule or the speeds.
#include "lang/InternalFault.h"
#include "rules/ConditionRules.h"

namespace kt520::rules {
namespace {

using namespace conditions;

enum class PrePostTravel { ForcedOff, ByLength };

struct ProfileRow {
    bool filter;
    bool cutOff;
    CutOffCaption cutOffCaption;
    bool sections;
    bool motifAFrame;
    bool motifAOptions;
    bool motifBFrame;
    bool motifBOptions;
    bool flLimits;
    PrePostTravel prePost;
    bool motifLengths;
};

// Rows for the profiles P, R, W, DIN4776, R MOTIF, W MOTIF.
constexpr ProfileRow kProfileRows[] = {
    {false, true, CutOffCaption::CutOff, true, false, false, false, false, false,
     PrePostTravel::ForcedOff, false},
    {true, true, CutOffCaption::CutOff, true, false, false, false, false, false,
     PrePostTravel::ByLength, false},
    {true, true, CutOffCaption::Fh, true, false, false, false, false, true, PrePostTravel::ByLength,
     false},
    {true, true, CutOffCaption::CutOff, true, false, false, false, false, false,
     PrePostTravel::ByLength, false},
    {false, false, CutOffCaption::CutOff, false, true, true, true, false, false,
     PrePostTravel::ForcedOff, true},
    {false, false, CutOffCaption::CutOff, false, true, false, true, true, false,
     PrePostTravel::ForcedOff, true},
};

// The motif limits from their first code up; their placeholders below stay as they are.
constexpr int kFirstMotifCode = 2;

}  // namespace

void ConditionRules::applyOptionRules() {
    const auto profile = state().profile.selected();
    if (!profile) lang::failInternal("the condition panel has no profile chosen");
    const ProfileRow& row = kProfileRows[codeOf(*profile) - 1];
    ConditionState& s = state();

    s.frames.enable(Frame::Filter, row.filter);
    s.filter.enableAll(row.filter);
    s.frames.enable(Frame::CutOff, row.cutOff);
    s.cutOff.enableAll(row.cutOff);
    s.frames.enable(Frame::Sections, row.sections);
    s.sections.enableAll(row.sections);
    s.frames.enable(Frame::MotifA, row.motifAFrame);
    s.motifA.enableCodes(kFirstMotifCode, codeOf(MotifA::Mm2_5), row.motifAOptions);
    s.frames.enable(Frame::MotifB, row.motifBFrame);
    s.motifB.enableCodes(kFirstMotifCode, codeOf(MotifB::Mm12_5), row.motifBOptions);
    s.cutOffCaption = row.cutOffCaption;
    s.frames.enable(Frame::LongWave, row.flLimits);
    s.longWave.enableAll(row.flLimits);

    // Pre/post travel: with an arbitrary length the instrument measures
    // exactly the length typed, so there is no travel before or after it.
    if (row.prePost == PrePostTravel::ForcedOff || s.sections.is(Sections::Arbitrary)) {
        panel_.choose(PrePost::Off);
        s.frames.enable(Frame::PrePost, false);
        s.prePost.enableAll(false);
    } else {
        s.frames.enable(Frame::PrePost, true);
        s.prePost.enableAll(true);
    }

    if (*profile == Profile::W) applyWavinessLimits();
    s.motifLengthEnabled.fill(row.motifLengths);

    // Exactly one of the two decides the cut-off/speed pairing: the length
    // rule when the operator typed a length, the speed table otherwise.
    if (s.sections.is(Sections::Arbitrary) && s.frames.enabled(Frame::Sections) &&
        *profile != Profile::W) {
        applyLengthRule();
    } else {
        applySpeedRules();
    }
}

}  // namespace kt520::rules
