// An arbitrary evaluation length ("L") decides the cut-off: the length must
// hold several cut-offs, and the short bands cannot be traced fast.
#include "rules/ConditionRules.h"
#include "rules/LengthBands.h"
#include "rules/SpeedSets.h"

namespace kt520::rules {

using namespace conditions;

void ConditionRules::applyLengthRule() {
    const int band = lengthBand(state(), panel_.model());
    // A length in no band is left for the length check at start.
    if (band == 0) return;

    // Choosing runs the cut-off handler, which runs the rules again; that
    // nested run finds this band's cut-off already chosen and settles.
    const auto cutOff = static_cast<CutOff>(band);
    panel_.choose(cutOff);
    ConditionState& s = state();
    for (CutOff entry : s.cutOff.entries()) s.cutOff.enable(entry, entry == cutOff);

    const int chosen = s.speed.codeOrZero(0);
    offerSpeeds(panel_,
                band == 1   ? SpeedSet::Slow
                : band == 2 ? SpeedSet::Mid
                            : SpeedSet::All,
                chosen);
    // The instrument's own choice for 1.5 to 5 mm; the inch band is left to
    // the operator.
    if (band == 3 && s.unit.is(Unit::Millimetre)) panel_.choose(Speed::Mm0_5);
}

}  // namespace kt520::rules
