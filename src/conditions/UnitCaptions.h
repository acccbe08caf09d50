#pragma once
// The captions of the condition panel that depend on the unit chosen. The
// codes behind the entries never change with the unit, only what they read.
#include "ui/MainWindowModel.h"

namespace kt520::conditions {

// Writes the millimetre captions when optUNT(1) is selected, otherwise the
// inch ones. Hidden speed entries get their captions too.
void switchUnitCaptions(ui::MainWindowModel& window);

}  // namespace kt520::conditions
