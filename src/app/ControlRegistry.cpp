#include "app/ControlRegistry.h"

namespace kt520::app {
namespace {

std::string indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

template <typename T, typename Ref = T*>
void addArray(std::vector<NamedControl>& out, const std::string& name, ui::ControlArray<T>& array) {
    for (int i = array.first(); i <= array.last(); ++i)
        out.push_back({indexed(name, i), Ref(&array[i])});
}

}  // namespace

std::vector<NamedControl> mainWindowControls(ui::MainForm& window) {
    std::vector<NamedControl> out;
    addArray<ui::Frame, ui::Control*>(out, "frmLAN", window.frmLAN);
    addArray<ui::Label, ui::Control*>(out, "lblLAN", window.lblLAN);
    addArray<ui::Label, ui::Control*>(out, "lblUnit", window.lblUnit);
    addArray<ui::Label, ui::Control*>(out, "lblCMT", window.lblCMT);
    for (ui::OptionArray* array : window.optionArrays())
        for (int i : array->indexes())
            out.push_back({indexed(array->name(), i), OptionEntry{array, i}});
    out.push_back({"txtLENG", &window.txtLENG});
    addArray(out, "txtALEN", window.txtALEN);
    out.push_back({"chkKTM", &window.chkKTM});
    out.push_back({"cmbCOM", &window.cmbCOM});
    const std::pair<const char*, ui::CommandButton*> buttons[] = {
        {"cmdCONECT", &window.cmdCONECT}, {"cmdSTART", &window.cmdSTART},
        {"cmdSTOP", &window.cmdSTOP},     {"cmdREAD", &window.cmdREAD},
        {"cmdRESULT", &window.cmdRESULT}, {"cmdCOND", &window.cmdCOND},
        {"cmdCARD", &window.cmdCARD},     {"cmdEND", &window.cmdEND},
        {"cmdORG", &window.cmdORG},       {"cmdDefault", &window.cmdDefault}};
    for (auto [name, button] : buttons) out.push_back({name, button});
    addArray(out, "cmdMOV", window.cmdMOV);
    out.push_back({"lstSTATUS", &window.lstSTATUS});
    out.push_back({"ProgressBar1", &window.progressBar1});
    return out;
}

std::vector<NamedControl> cardDialogControls(ui::CardForm& card) {
    return {{"chkKTM", &card.chkKTM},       {"cmdREAD", &card.cmdREAD},
            {"cmdCANCEL", &card.cmdCANCEL}, {"devDRIVE", &card.devDRIVE},
            {"dirFOLDER", &card.dirFOLDER}, {"filLIST", &card.filLIST}};
}

ui::Control& baseOf(const ControlRef& control) {
    return std::visit(
        [](auto ref) -> ui::Control& {
            if constexpr (std::is_same_v<decltype(ref), OptionEntry>)
                return (*ref.array)[ref.index];
            else
                return *ref;
        },
        control);
}

}  // namespace kt520::app
