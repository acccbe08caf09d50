// The speeds a profile and its cut-off allow: short cut-offs (and the short
// motif limits) cannot be traced at the fast speeds.
#include "rules/ConditionRules.h"
#include "rules/OptionRange.h"

namespace kt520::rules {
namespace {

enum class SpeedSet { Slow, Mid, All };

SpeedSet byCutOff(const ui::MainWindowModel& w) {
    if (w.optCUT.isSelected(1)) return SpeedSet::Slow;
    if (w.optCUT.isSelected(2)) return SpeedSet::Mid;
    return SpeedSet::All;
}

SpeedSet speedSetFor(const ui::MainWindowModel& w, int profile) {
    switch (profile) {
        case 3:
            if (w.optFHL.isSelected(0)) return byCutOff(w);
            return w.optFHL.isSelected(1) ? SpeedSet::Mid : SpeedSet::All;
        case 5:
            return w.optMTA.isSelected(2) ? SpeedSet::Mid : SpeedSet::All;
        case 6:
            return w.optMTB.isSelected(3) ? SpeedSet::Mid : SpeedSet::All;
        default:
            return byCutOff(w);
    }
}

}  // namespace

void ConditionRules::applySpeedRules() {
    const int profile = selectedProfile();
    if (profile < 1 || profile > 6) return;
    ui::MainWindowModel& w = window_;
    // A hidden speed selected from code counts like any other index.
    const int speed = selectedOrZero(w.optSPD, 1);

    // Only the visible speeds 0, 1, 3 and 4 are offered or withdrawn.
    w.optSPD[0].enabled = true;
    w.optSPD[1].enabled = true;
    switch (speedSetFor(w, profile)) {
        case SpeedSet::Slow:
            w.optSPD[3].enabled = false;
            w.optSPD[4].enabled = false;
            if (speed > 1) w.optSPD.select(1);
            w.fstrSPD_LIMIT = "4";
            break;
        case SpeedSet::Mid:
            w.optSPD[3].enabled = true;
            w.optSPD[4].enabled = false;
            if (speed > 3) w.optSPD.select(3);
            w.fstrSPD_LIMIT = "4";
            break;
        case SpeedSet::All:
            w.optSPD[3].enabled = true;
            w.optSPD[4].enabled = true;
            w.fstrSPD_LIMIT = "5";
            break;
    }
}

}  // namespace kt520::rules
