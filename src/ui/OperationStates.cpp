#include "ui/OperationStates.h"

namespace kt520::ui {

void enterBusyState(MainWindowModel& window) {
    for (CommandButton* button : {&window.cmdSTART, &window.cmdRESULT, &window.cmdCOND,
                                  &window.cmdEND, &window.cmdREAD, &window.cmdCARD})
        button->enabled = false;
}

void enterIdleState(MainWindowModel& window) {
    for (CommandButton* button :
         {&window.cmdSTART, &window.cmdSTOP, &window.cmdRESULT, &window.cmdCOND, &window.cmdEND,
          &window.cmdREAD, &window.cmdCARD})
        button->enabled = true;
}

void enableInstrumentButtons(MainWindowModel& window, bool enabled) {
    for (CommandButton* button :
         {&window.cmdSTART, &window.cmdSTOP, &window.cmdCOND, &window.cmdRESULT, &window.cmdREAD})
        button->enabled = enabled;
}

}  // namespace kt520::ui
