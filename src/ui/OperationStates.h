#pragma once
// The two operation states of the main window's command buttons. While an
// exchange with the instrument runs only Stop stays usable, so the operator
// cannot start a second operation in the middle of one.
#include "ui/MainWindowModel.h"

namespace kt520::ui {

// Disables Start, Result Read, Condition Read, Exit, Read and Card; Stop is left as it is.
void enterBusyState(MainWindowModel& window);
// Enables Start, Stop, Result Read, Condition Read, Exit, Read and Card.
void enterIdleState(MainWindowModel& window);
// The buttons that need an instrument: Start, Stop, Condition Read, Result Read, Read.
void enableInstrumentButtons(MainWindowModel& window, bool enabled);

}  // namespace kt520::ui
