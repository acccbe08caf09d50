// The waviness profile "W": the cut-off frame gives fh and "Lf/fl" gives fl,
// which must lie above fh. With an arbitrary length both follow its band.
#include <algorithm>

#include "rules/ConditionRules.h"
#include "rules/LengthBands.h"
#include "rules/OptionRange.h"

namespace kt520::rules {
namespace {

constexpr int kArbitraryLength = 6;  // optSCT(6), "L"
constexpr int kFlNone = 0;           // optFHL(0), "NON"

}  // namespace

void ConditionRules::applyWavinessLimits() {
    ui::MainWindowModel& w = window_;
    if (w.optSCT.isSelected(kArbitraryLength)) {
        applyWavinessLengthRule();
        return;
    }
    const int fh = selectedOrZero(w.optCUT, 1);
    const int fl = selectedOrZero(w.optFHL, 1);
    // fl entry k has the value of cut-off entry k+1: entries from fh's index
    // on are the fl values above fh. "NON" keeps what the profile row gave it.
    enableRange(w.optFHL, 1, fh - 1, false);
    enableRange(w.optFHL, std::max(fh, 1), 4, true);
    if (fh == 5) {
        w.optFHL.select(kFlNone);
    } else if (fl != 0 && fl < fh) {
        w.optFHL.select(fh);
    }
}

void ConditionRules::applyWavinessLengthRule() {
    ui::MainWindowModel& w = window_;
    enableRange(w.optCUT, 1, 5, false);
    enableRange(w.optFHL, 1, 4, false);
    const int fh = selectedOrZero(w.optCUT, 1);
    const int fl = selectedOrZero(w.optFHL, 0);

    const std::optional<int> band = lengthBand(w, model_);
    if (!band) return;
    if (*band == 0) {
        w.fstrCUT_LOCK = "OK";
        return;
    }
    const int k = *band;
    if (k == 1) {
        w.optCUT[1].enabled = true;
        w.optCUT.select(1);
        w.optFHL[kFlNone].enabled = true;
        w.optFHL.select(kFlNone);
        return;
    }

    // fh may be any cut-off below the band's own; the band's fl is offered.
    enableRange(w.optCUT, 1, k - 1, true);
    if (k == 2) {
        w.optCUT.select(1);
    } else if (fh > k - 1) {
        w.optCUT.select(k - 1);
    }
    w.optFHL[kFlNone].enabled = true;
    w.optFHL[k - 1].enabled = true;

    if (fl == kFlNone) {
        // Without fl the band's own cut-off is fh. The lock keeps the cut-off
        // handler from running the rules, and so this routine, once more.
        w.fstrCUT_LOCK = "NG";
        enableRange(w.optCUT, 1, 5, false);
        w.optCUT[k].enabled = true;
        w.optCUT.select(k);
    } else if (fl != k - 1) {
        w.optFHL.select(k - 1);
    }
    w.fstrCUT_LOCK = "OK";
}

}  // namespace kt520::rules
