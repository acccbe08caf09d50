// The waviness profile "W": the cut-off frame gives fh and "Lf/fl" gives fl,
// which must lie above fh. With an arbitrary length both follow its band.
#include <algorithm>

#include "rules/ConditionRules.h"
#include "rules/LengthBands.h"

namespace kt520::rules {

using namespace conditions;

// fl entry k has the value of cut-off k + 1: fl entries from fh's code on are
// the fl values above fh.
void ConditionRules::applyWavinessLimits() {
    ConditionState& s = state();
    if (s.sections.is(Sections::Arbitrary)) {
        applyWavinessLengthRule();
        return;
    }
    const int fh = s.cutOff.codeOrZero(1);
    const int fl = s.longWave.codeOrZero(1);
    // "NON" keeps what the profile row gave it.
    s.longWave.enableCodes(1, fh - 1, false);
    s.longWave.enableCodes(std::max(fh, 1), 4, true);
    if (fh == codeOf(CutOff::Mm8)) {
        panel_.choose(LongWave::None);
    } else if (fl != 0 && fl < fh) {
        panel_.choose(static_cast<LongWave>(fh));
    }
}

void ConditionRules::applyWavinessLengthRule() {
    ConditionState& s = state();
    s.cutOff.enableAll(false);
    s.longWave.enableCodes(1, 4, false);
    const int fh = s.cutOff.codeOrZero(1);
    const int fl = s.longWave.codeOrZero(0);

    const int band = lengthBand(s, panel_.model());
    if (band == 0) {
        s.cutLock = CutLock::Released;
        return;
    }
    if (band == 1) {
        s.cutOff.enable(CutOff::Mm0_08, true);
        panel_.choose(CutOff::Mm0_08);
        s.longWave.enable(LongWave::None, true);
        panel_.choose(LongWave::None);
        return;
    }

    // fh may be any cut-off below the band's own; the band's fl is offered.
    const auto bandFl = static_cast<LongWave>(band - 1);
    s.cutOff.enableCodes(1, band - 1, true);
    if (band == 2) {
        panel_.choose(CutOff::Mm0_08);
    } else if (fh > band - 1) {
        panel_.choose(static_cast<CutOff>(band - 1));
    }
    s.longWave.enable(LongWave::None, true);
    s.longWave.enable(bandFl, true);

    if (fl == codeOf(LongWave::None)) {
        // Without fl the band's own cut-off is fh. The lock keeps the cut-off
        // handler from running the rules, and so this routine, once more.
        s.cutLock = CutLock::Locked;
        s.cutOff.enableAll(false);
        s.cutOff.enable(static_cast<CutOff>(band), true);
        panel_.choose(static_cast<CutOff>(band));
    } else if (fl != codeOf(bandFl)) {
        panel_.choose(bandFl);
    }
    s.cutLock = CutLock::Released;
}

}  // namespace kt520::rules
