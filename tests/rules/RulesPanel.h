#pragma once
// The main window's condition panel with its real click handlers bound to the
// rules, driven the way an operator drives it. Every handler is wrapped to
// count how deeply the rules re-enter themselves through forced selections.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/ConditionPanel.h"
#include "lang/MessageCatalog.h"
#include "link/ModelInfo.h"
#include "rules/ConditionRules.h"
#include "support/RecordingOperator.h"
#include "ui/MainWindowModel.h"

namespace kt520::testing {

class RulesPanel {
  public:
    // Deeper than any settled run needs (click -> rules -> forced cut-off ->
    // rules -> forced cut-off under the lock); beyond it the rules loop.
    static constexpr int kDepthBound = 8;

    explicit RulesPanel(float driveRange = 50.8f, std::int16_t modelKind = 3) {
        model.driveRange = driveRange;
        model.modelKind = modelKind;
        model.romVersion = 1311;
        catalog.load("E");
        panel.installHandlers();
        for (ui::OptionArray* array : window.optionArrays())
            array->onClick = [this, inner = array->onClick](int index) {
                Nesting nesting(*this);
                if (inner) inner(index);
            };
        window.txtLENG.onChange = [this, inner = window.txtLENG.onChange] {
            Nesting nesting(*this);
            if (inner) inner();
        };
        // As identification does once the options are set up for the model.
        rules.applyOptionRules();
    }
    RulesPanel(const RulesPanel&) = delete;
    RulesPanel& operator=(const RulesPanel&) = delete;

    void type(const std::string& text) { window.txtLENG.setText(text); }

    // Profile, sections and unit picked by the operator, then the length typed.
    void arbitraryLength(int profile, const std::string& unit, const std::string& length) {
        window.optUNT.click(unit == "mm" ? 1 : 2);
        window.optCUV.click(profile);
        window.optSCT.click(6);
        type(length);
    }

    ui::MainWindowModel window;
    link::ModelInfo model;
    RecordingOperator op;
    lang::MessageCatalog catalog;
    rules::ConditionRules rules{window, model, op, catalog};
    conditions::ConditionPanel panel{window, model, rules};
    int depth = 0;
    int deepest = 0;

  private:
    struct Nesting {
        explicit Nesting(RulesPanel& p) : panel(p) {
            panel.deepest = std::max(panel.deepest, ++panel.depth);
            if (panel.depth > kDepthBound) {
                --panel.depth;
                throw std::runtime_error("the condition rules keep re-entering themselves");
            }
        }
        ~Nesting() { --panel.depth; }
        RulesPanel& panel;
    };
};

using Entries = std::vector<int>;

inline Entries enabledEntries(const ui::OptionArray& array) {
    Entries on;
    for (int i : array.indexes())
        if (array[i].enabled) on.push_back(i);
    return on;
}

// The whole condition panel, control by control: cheap to take and compare
// thousands of times, written out as text only where two states differ.
struct ControlState {
    std::string_view name;  // the array's own name or a literal
    int index;
    bool enabled, visible, selected;
    ui::Colour fore, back;
    std::string caption, text;
    bool operator==(const ControlState&) const = default;

    std::string line() const {
        return std::string(name) + "(" + std::to_string(index) + ") " + (enabled ? "on" : "off") +
               (visible ? "" : " hidden") + (selected ? " selected" : "") +
               " fore=" + std::to_string(fore) + " back=" + std::to_string(back) + " caption=\"" +
               caption + "\" text=\"" + text + "\"";
    }
};
using PanelSnapshot = std::vector<ControlState>;

inline PanelSnapshot panelSnapshot(ui::MainWindowModel& w) {
    PanelSnapshot states;
    states.reserve(192);
    auto add = [&states](std::string_view name, int i, const ui::Control& c, bool selected,
                         std::string text) {
        states.push_back({name, i, c.enabled, c.visible, selected, c.foreColour, c.backColour,
                          c.caption, std::move(text)});
    };
    for (int i = w.frmLAN.first(); i <= w.frmLAN.last(); ++i)
        add("frmLAN", i, w.frmLAN[i], false, {});
    for (const ui::OptionArray* array : w.optionArrays())
        for (int i : array->indexes()) add(array->name(), i, (*array)[i], (*array)[i].selected, {});
    add("txtLENG", 0, w.txtLENG, false, w.txtLENG.text);
    for (int i = w.txtALEN.first(); i <= w.txtALEN.last(); ++i)
        add("txtALEN", i, w.txtALEN[i], false, w.txtALEN[i].text);
    add("chkKTM", 0, w.chkKTM, false, {});
    add("fstrSPD_LIMIT", 0, {}, false, w.fstrSPD_LIMIT);
    add("fstrCUT_LOCK", 0, {}, false, w.fstrCUT_LOCK);
    return states;
}

// The controls whose state in `after` differs from `before`, as text.
inline std::vector<std::string> changedLines(const PanelSnapshot& before,
                                             const PanelSnapshot& after) {
    std::vector<std::string> changed;
    for (size_t i = 0; i < after.size(); ++i)
        if (i >= before.size() || !(before[i] == after[i])) changed.push_back(after[i].line());
    return changed;
}

}  // namespace kt520::testing
