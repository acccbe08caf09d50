#pragma once
// The main window's condition panel with its real click handlers bound to the
// rules, driven the way an operator drives it. Every handler is wrapped to
// count how deeply the rules re-enter themselves through forced selections.
#include <algorithm>
#include <stdexcept>
#include <string>

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
        for (ui::OptionArray* array : window.optionArrays()) {
            array->onClick = [this, inner = array->onClick](int index) {
                Nesting nesting(*this);
                if (inner) inner(index);
            };
        }
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

    bool enabled(const ui::OptionArray& array, int index) const { return array[index].enabled; }

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

}  // namespace kt520::testing
