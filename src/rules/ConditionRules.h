#pragma once
// The rules that keep the condition panel consistent: which options are
// offered for the profile chosen, the length entries and their unit
// conversions, and the cut-off/length/speed bands.
#include <string>

#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/ModelInfo.h"
#include "ui/MainWindowModel.h"

namespace kt520::rules {

class ConditionRules {
public:
    ConditionRules(ui::MainWindowModel& window, const link::ModelInfo& model, lang::Operator& op,
                   const lang::MessageCatalog& catalog);

    void applyOptionRules();
    void applySpeedRules();
    void applyLengthRule();
    void applyWavinessLimits();
    void applyWavinessLengthRule();

    // unit: 1 = just switched to mm, 2 = just switched to inch.
    void convertLengthEntry(int unit);
    void convertMotifLengths(int unit);
    // "OK" or "NG" (with a beep and the text selected for each finding).
    std::string checkLengthEntry();

private:
    ui::MainWindowModel& window_;
    const link::ModelInfo& model_;
    lang::Operator& operator_;
    const lang::MessageCatalog& catalog_;
};

}  // namespace kt520::rules
