#pragma once
// The whole condition panel as text lines, one per control, so that two
// states compare with ==  and a difference reads as the lines that changed.
#include <string>
#include <vector>

#include "ui/MainWindowModel.h"

namespace kt520::testing {

inline std::string describe(const ui::Control& c) {
    return std::string(c.enabled ? "on" : "off") + (c.visible ? "" : " hidden") +
           " fore=" + std::to_string(c.foreColour) + " back=" + std::to_string(c.backColour) +
           " \"" + c.caption + "\"";
}

inline std::vector<std::string> panelSnapshot(ui::MainWindowModel& w) {
    std::vector<std::string> lines;
    for (int i = w.frmLAN.first(); i <= w.frmLAN.last(); ++i)
        lines.push_back("frmLAN(" + std::to_string(i) + ") " + describe(w.frmLAN[i]));
    for (ui::OptionArray* array : w.optionArrays()) {
        for (int i : array->indexes()) {
            const ui::OptionButton& b = (*array)[i];
            lines.push_back(array->name() + "(" + std::to_string(i) + ") " + describe(b) +
                            (b.selected ? " selected" : ""));
        }
    }
    lines.push_back("txtLENG \"" + w.txtLENG.text + "\" " + describe(w.txtLENG));
    for (int i = w.txtALEN.first(); i <= w.txtALEN.last(); ++i)
        lines.push_back("txtALEN(" + std::to_string(i) + ") \"" + w.txtALEN[i].text + "\" " +
                        describe(w.txtALEN[i]));
    lines.push_back("chkKTM " + describe(w.chkKTM));
    lines.push_back("fstrSPD_LIMIT \"" + w.fstrSPD_LIMIT + "\"");
    lines.push_back("fstrCUT_LOCK \"" + w.fstrCUT_LOCK + "\"");
    return lines;
}

// The lines of `after` that differ from `before` (the panel has a fixed shape).
inline std::vector<std::string> changedLines(const std::vector<std::string>& before,
                                             const std::vector<std::string>& after) {
    std::vector<std::string> changed;
    for (size_t i = 0; i < after.size(); ++i)
        if (i >= before.size() || before[i] != after[i]) changed.push_back(after[i]);
    return changed;
}

}  // namespace kt520::testing
