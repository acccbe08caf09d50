#pragma once
// Every control of fomMAIN and fomCARD by the name a script or a state dump
// uses: the control's own name, with the index in parentheses for arrays
// ("optCUT(3)", "frmLAN(6)", "txtALEN(2)").
#include <string>
#include <variant>
#include <vector>

#include "ui/MainForm.h"

namespace kt520::app {

struct OptionEntry {
    ui::OptionArray* array;
    int index;
};

// Labels and frames are plain controls.
using ControlRef = std::variant<ui::Control*, ui::CommandButton*, ui::CheckBox*, ui::TextBox*,
                                ui::ComboBox*, ui::ListBox*, ui::ProgressBar*, OptionEntry>;

struct NamedControl {
    std::string name;
    ControlRef control;
};

std::vector<NamedControl> mainWindowControls(ui::MainForm& window);
std::vector<NamedControl> cardDialogControls(ui::CardForm& card);

// The common state every kind of control has.
ui::Control& baseOf(const ControlRef& control);

}  // namespace kt520::app
