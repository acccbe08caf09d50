// The speeds a profile and its cut-off allow: short cut-offs (and the short
// motif limits) cannot be traced at the fast speeds.
#include "rules/ConditionRules.h"
#include "rules/SpeedSets.h"

namespace kt520::rules {
namespace {

using namespace conditions;

SpeedSet byCutOff(const ConditionState& s) {
    if (s.cutOff.is(CutOff::Mm0_08)) return SpeedSet::Slow;
    if (s.cutOff.is(CutOff::Mm0_25)) return SpeedSet::Mid;
    return SpeedSet::All;
}

SpeedSet speedSetFor(const ConditionState& s, Profile profile) {
    switch (profile) {
        case Profile::W:
            if (s.longWave.is(LongWave::None)) return byCutOff(s);
            return s.longWave.is(LongWave::Mm0_25) ? SpeedSet::Mid : SpeedSet::All;
        case Profile::RMotif:
            return s.motifA.is(MotifA::Mm0_02) ? SpeedSet::Mid : SpeedSet::All;
        case Profile::WMotif:
            return s.motifB.is(MotifB::Mm0_1) ? SpeedSet::Mid : SpeedSet::All;
        default:
            return byCutOff(s);
    }
}

}  // namespace

void offerSpeeds(ConditionPanel& panel, SpeedSet set, int chosen) {
    ConditionState& s = panel.edit();
    switch (set) {
        case SpeedSet::Slow:
            s.speed.enable(Speed::Mm0_5, false);
            s.speed.enable(Speed::Mm1, false);
            if (chosen > codeOf(Speed::Mm0_1)) panel.choose(Speed::Mm0_1);
            s.speedSuffix = SpeedSuffix::Four;
            break;
        case SpeedSet::Mid:
            s.speed.enable(Speed::Mm0_5, true);
            s.speed.enable(Speed::Mm1, false);
            if (chosen > codeOf(Speed::Mm0_5)) panel.choose(Speed::Mm0_5);
            s.speedSuffix = SpeedSuffix::Four;
            break;
        case SpeedSet::All:
            s.speed.enable(Speed::Mm0_5, true);
            s.speed.enable(Speed::Mm1, true);
            s.speedSuffix = SpeedSuffix::Five;
            break;
    }
}

void ConditionRules::applySpeedRules() {
    const auto profile = state().profile.selected();
    if (!profile) return;
    ConditionState& s = state();
    // A hidden speed chosen from code counts like any other code.
    const int chosen = s.speed.codeOrZero(1);

    // Only the visible speeds 0.05, 0.1, 0.5 and 1 are offered or withdrawn.
    s.speed.enable(Speed::Mm0_05, true);
    s.speed.enable(Speed::Mm0_1, true);
    offerSpeeds(panel_, speedSetFor(s, *profile), chosen);
}

}  // namespace kt520::rules
