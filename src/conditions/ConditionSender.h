#pragma once
// Making the instrument measure with what the condition panel shows: one write
// command per condition group, in a fixed order. The session sends them one
// by one and stops at the first refusal.
#include <string>
#include <vector>

#include "conditions/ConditionState.h"
#include "link/ModelInfo.h"

namespace kt520::conditions {

// The write commands for the panel as it stands, in sending order. The
// arbitrary-length pair "WRCUT" + cut-off + "1", "WRCUT" + cut-off + "L" is
// two entries. Only the panel is read, disabled choices included.
[[nodiscard]] std::vector<std::string> conditionCommands(const ConditionState& state,
                                                         const link::ModelInfo& model);

}  // namespace kt520::conditions
