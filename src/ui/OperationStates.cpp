#include "ui/OperationStates.h"

namespace kt520::ui {

void enterBusyState(MainForm& window) {
    for (CommandButton* button : {&window.cmdSTART, &window.cmdRESULT, &window.cmdCOND,
                                  &window.cmdEND, &window.cmdREAD, &window.cmdCARD})
        button->enabled = false;
}

void enterIdleState(MainForm& window) {
    for (CommandButton* button :
         {&window.cmdSTART, &window.cmdSTOP, &window.cmdRESULT, &window.cmdCOND, &window.cmdEND,
          &window.cmdREAD, &window.cmdCARD})
        button->enabled = true;
}

void enableInstrumentButtons(MainForm& window, bool enabled) {
    for (CommandButton* button :
         {&window.cmdSTART, &window.cmdSTOP, &window.cmdCOND, &window.cmdRESULT, &window.cmdREAD})
        button->enabled = enabled;
}

}  // namespace kt520::ui
