// Placeholder bodies so that callers link while the rules are being written.
#include "rules/ConditionRules.h"

namespace kt520::rules {

ConditionRules::ConditionRules(ui::MainWindowModel& window, const link::ModelInfo& model,
                               lang::Operator& op, const lang::MessageCatalog& catalog)
    : window_(window), model_(model), operator_(op), catalog_(catalog) {}

void ConditionRules::applyOptionRules() {}
void ConditionRules::applySpeedRules() {}
void ConditionRules::applyLengthRule() {}
void ConditionRules::applyWavinessLimits() {}
void ConditionRules::applyWavinessLengthRule() {}
void ConditionRules::convertLengthEntry(int) {}
void ConditionRules::convertMotifLengths(int) {}
std::string ConditionRules::checkLengthEntry() { return "OK"; }

}  // namespace kt520::rules
