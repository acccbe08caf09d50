#include "rules/ConditionRules.h"

namespace kt520::rules {

ConditionRules::ConditionRules(ui::MainWindowModel& window, const link::ModelInfo& model,
                               lang::Operator& op, const lang::MessageCatalog& catalog)
    : window_(window), model_(model), operator_(op), catalog_(catalog) {}

}  // namespace kt520::rules
