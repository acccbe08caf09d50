#pragma once
// The two operation states of the main window's command buttons. While an
// exchange with the instrument runs only Stop stays usable, so the operator
// cannot start a second operation in the middle of one.
#include "ui/MainForm.h"

namespace kt520::ui {

// Disables Start, Result Read, Condition Read, Exit, Read and Card; Stop is left as it is.
void enterBusyState(MainForm& window);
// Enables Start, Stop, Result Read, Condition Read, Exit, Read and Card.
void enterIdleState(MainForm& window);
// The buttons that need an instrument: Start, Stop, Condition Read, Result Read, Read.
void enableInstrumentButtons(MainForm& window, bool enabled);

}  // namespace kt520::ui
