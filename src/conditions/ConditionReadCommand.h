#pragma once
// The Condition Read button: re-identify the instrument, make sure it is idle,
// then read its conditions into the window's set and onto the panel.
#include <functional>
#include <string>

#include "conditions/ConditionLayout.h"
#include "conditions/ConditionPanel.h"
#include "conditions/ConditionSet.h"
#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/InstrumentLink.h"
#include "link/ModelInfo.h"

namespace kt520::conditions {

struct ConditionReadOutcome {
    // What announceIdentification answered. On "OK" the caller sets its
    // announceConnect flag to "0".
    std::string identification;
    // False when the instrument was busy and nothing was read.
    bool conditionsRead = false;
};

class ConditionReadCommand {
  public:
    struct Parts {
        link::InstrumentLink& link;
        ConditionLayouts& layouts;
        ConditionSet& conditions;  // the window's set, replaced by the read-back
        ConditionPanel& panel;
        lang::Operator& op;
        const lang::MessageCatalog& catalog;
        const link::ModelInfo& model;
        std::string& outputFileName;
        // Identifies the instrument again, shows the result and returns it
        // ("OK", "KT210", "NON", ...).
        std::function<std::string()> announceIdentification;
    };

    explicit ConditionReadCommand(Parts parts) : parts_(std::move(parts)) {}

    ConditionReadOutcome run();

  private:
    Parts parts_;
};

}  // namespace kt520::conditions
