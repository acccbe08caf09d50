// Which frames and options the chosen profile offers: the decision table,
// row by row in its fixed order, then either the length rule or the speeds.
#include "rules/ConditionRules.h"
#include "rules/OptionRange.h"

namespace kt520::rules {
namespace {

enum class PrePost { ForcedOff, ByLength };

struct ProfileRow {
    bool filter;
    bool cutOff;
    const char* cutOffCaption;
    bool sections;
    bool motifAFrame;
    bool motifAOptions;
    bool motifBFrame;
    bool motifBOptions;
    bool flLimits;
    PrePost prePost;
    bool motifLengths;
};

// Rows for the profiles P, R, W, DIN4776, R MOTIF, W MOTIF. The cut-off frame
// caption is English whatever the language: the instrument's own terms.
constexpr ProfileRow kProfileRows[] = {
    {false, true, "Cut-Off", true, false, false, false, false, false, PrePost::ForcedOff, false},
    {true, true, "Cut-Off", true, false, false, false, false, false, PrePost::ByLength, false},
    {true, true, "fh", true, false, false, false, false, true, PrePost::ByLength, false},
    {true, true, "Cut-Off", true, false, false, false, false, false, PrePost::ByLength, false},
    {false, false, "Cut-Off", false, true, true, true, false, false, PrePost::ForcedOff, true},
    {false, false, "Cut-Off", false, true, false, true, true, false, PrePost::ForcedOff, true},
};

constexpr int kFilterFrame = 4;
constexpr int kCutOffFrame = 6;
constexpr int kSectionsFrame = 8;
constexpr int kMotifAFrame = 9;
constexpr int kMotifBFrame = 10;
constexpr int kPrePostFrame = 14;
constexpr int kFlFrame = 16;
constexpr int kArbitraryLength = 6;  // optSCT(6), "L"

}  // namespace

int ConditionRules::selectedProfile() const {
    return selectedOrZero(window_.optCUV, 1);
}

void ConditionRules::stopOnUnknownProfile() {
    operator_.showMessage(catalog_.internalError(), catalog_.boxTitle(1), lang::MessageIcon::Stop);
    lang::endProgramNow(operator_);
}

void ConditionRules::applyOptionRules() {
    const int profile = selectedProfile();
    if (profile < 1 || profile > 6) stopOnUnknownProfile();
    const ProfileRow& row = kProfileRows[profile - 1];
    ui::MainWindowModel& w = window_;

    w.frmLAN[kFilterFrame].enabled = row.filter;
    enableAll(w.optFLT, row.filter);
    w.frmLAN[kCutOffFrame].enabled = row.cutOff;
    enableAll(w.optCUT, row.cutOff);
    w.frmLAN[kSectionsFrame].enabled = row.sections;
    enableAll(w.optSCT, row.sections);
    w.frmLAN[kMotifAFrame].enabled = row.motifAFrame;
    enableRange(w.optMTA, 2, w.optMTA.last(), row.motifAOptions);
    w.frmLAN[kMotifBFrame].enabled = row.motifBFrame;
    enableRange(w.optMTB, 2, w.optMTB.last(), row.motifBOptions);
    w.frmLAN[kCutOffFrame].caption = row.cutOffCaption;
    w.frmLAN[kFlFrame].enabled = row.flLimits;
    enableAll(w.optFHL, row.flLimits);

    // Pre/post travel: with an arbitrary length the instrument measures
    // exactly the length typed, so there is no travel before or after it.
    if (row.prePost == PrePost::ForcedOff || w.optSCT.isSelected(kArbitraryLength)) {
        w.optTRA.select(0);
        w.frmLAN[kPrePostFrame].enabled = false;
        enableAll(w.optTRA, false);
    } else {
        w.frmLAN[kPrePostFrame].enabled = true;
        enableAll(w.optTRA, true);
    }

    if (profile == 3) applyWavinessLimits();
    for (int i = w.txtALEN.first(); i <= w.txtALEN.last(); ++i)
        w.txtALEN[i].enabled = row.motifLengths;

    // Exactly one of the two decides the cut-off/speed pairing: the length
    // rule when the operator typed a length, the speed table otherwise.
    if (w.optSCT.isSelected(kArbitraryLength) && w.frmLAN[kSectionsFrame].enabled && profile != 3) {
        applyLengthRule();
    } else {
        applySpeedRules();
    }
}

}  // namespace kt520::rules
