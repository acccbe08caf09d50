// An arbitrary evaluation length ("L") decides the cut-off: the length must
// hold several cut-offs, and the short bands cannot be traced fast.
#include "rules/ConditionRules.h"
#include "rules/LengthBands.h"
#include "rules/OptionRange.h"

namespace kt520::rules {

void ConditionRules::applyLengthRule() {
    ui::MainWindowModel& w = window_;
    const std::optional<int> band = lengthBand(w, model_);
    // A length in no band is left for the length check at start.
    if (!band || *band == 0) return;
    const int k = *band;

    // Selecting raises the cut-off handler, which runs the rules again; that
    // nested run finds this band's cut-off already selected and settles.
    w.optCUT.select(k);
    for (int i : w.optCUT.indexes()) w.optCUT[i].enabled = (i == k);

    const int speed = selectedOrZero(w.optSPD, 0);
    switch (k) {
        case 1:
            w.optSPD[3].enabled = false;
            w.optSPD[4].enabled = false;
            if (speed > 1) w.optSPD.select(1);
            w.fstrSPD_LIMIT = "4";
            break;
        case 2:
            w.optSPD[3].enabled = true;
            w.optSPD[4].enabled = false;
            if (speed > 3) w.optSPD.select(3);
            w.fstrSPD_LIMIT = "4";
            break;
        default:
            w.optSPD[3].enabled = true;
            w.optSPD[4].enabled = true;
            // The instrument's own choice for 1.5 to 5 mm; the inch band is
            // left to the operator.
            if (k == 3 && w.optUNT.isSelected(1)) w.optSPD.select(3);
            w.fstrSPD_LIMIT = "5";
            break;
    }
}

}  // namespace kt520::rules
