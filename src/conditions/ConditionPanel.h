#pragma once
// The condition panel of the main window: the click handlers that keep the
// chosen entries red and the panel consistent, the read-back of a
// ConditionSet into the panel, and the unit captions.
#include "conditions/ConditionLayout.h"
#include "conditions/ConditionSet.h"
#include "link/ModelInfo.h"
#include "rules/ConditionRules.h"
#include "ui/MainWindowModel.h"

namespace kt520::conditions {

class ConditionPanel {
  public:
    ConditionPanel(ui::MainWindowModel& window, const link::ModelInfo& model,
                   rules::ConditionRules& rules);

    // Binds the click handler of every option array, the txtLENG change and
    // the "Default" button of the motif lengths.
    void installHandlers();

    // Selects what the set holds, item by item, as a click would; then the
    // evaluation length and, for the motif models, the motif lengths and ANX.
    // Items are found through the map of the firmware last identified.
    void showConditions(const ConditionSet& set);
    void showConditions(const ConditionSet& set, const ItemFieldMap& items);

    // Rewrites the length, range and speed captions for the unit selected.
    void switchUnitCaptions();
    // The "Default" motif lengths of the unit selected.
    void restoreMotifLengths();

  private:
    void onUnitClicked();
    void onCutOffClicked();
    void onMotifAClicked();
    void onMotifBClicked();
    void onCsvSaveClicked();
    void applyShortDriveRule();
    void paintMotifLengthBoxes(int redBox);
    bool offersMotifs() const;

    ui::MainWindowModel& window_;
    const link::ModelInfo& model_;
    rules::ConditionRules& rules_;
    int unitShown_ = -1;  // the unit the length entries are written in
};

}  // namespace kt520::conditions
