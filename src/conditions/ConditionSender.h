#pragma once
// Making the instrument measure with what the condition panel shows: one write
// command per condition group, sent in a fixed order, stopping at the first
// refusal.
#include <string>
#include <vector>

#include "link/InstrumentLink.h"
#include "link/ModelInfo.h"
#include "ui/MainWindowModel.h"

namespace kt520::conditions {

// The write commands for the panel as it stands, in sending order. The
// arbitrary-length pair "WRCUT" + cut-off + "1", "WRCUT" + cut-off + "L" is
// two entries.
std::vector<std::string> conditionCommands(const ui::MainWindowModel& window,
                                           const link::ModelInfo& model);

// Sends conditionCommands one by one, awaiting each answer. "OK" when every
// command was accepted, "NG" at the first refusal (nothing later is sent).
std::string sendConditions(link::InstrumentLink& link, const ui::MainWindowModel& window,
                           const link::ModelInfo& model);

}  // namespace kt520::conditions
