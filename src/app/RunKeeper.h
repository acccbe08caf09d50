#pragma once
// Keeps every finished run (Start, Read, a card import): judges it against
// its part's tolerances, weighs the part's acceptance, tells the frontend, and
// hands the run to the history, whose thread stores it while the window goes
// on. The part, lot and operator are kept from run to run until changed.
#include <functional>
#include <optional>

#include "app/Frontend.h"
#include "history/History.h"
#include "link/ModelInfo.h"
#include "measurement/RunRecord.h"
#include "quality/Acceptance.h"
#include "quality/RunLabels.h"

namespace kt520::app {

class RunKeeper {
  public:
    // `japanese` tells the language of the moment for the history's messages.
    RunKeeper(history::History& history, Frontend& frontend, std::function<bool()> japanese);

    // Opens the history once the data folder is there.
    void open();

    const quality::RunLabels& labels() const { return labels_; }
    void setLabels(quality::RunLabels labels) { labels_ = std::move(labels); }

    // Whether a run that ended is one the history keeps: a measurement or a
    // Read that got its results.
    [[nodiscard]] static bool keeps(const measurement::RunRecord& record);
    void runEnded(const measurement::RunRecord& record, const link::ModelInfo& model);

    // The last run kept (its id set once stored) and the part's acceptance after it.
    const std::optional<history::StoredRun>& lastRun() const { return lastRun_; }
    const std::optional<quality::InspectionStep>& lastAcceptance() const { return lastAcceptance_; }

    history::History& history() { return history_; }
    bool japanese() const { return japanese_(); }

  private:
    history::History& history_;
    Frontend& frontend_;
    std::function<bool()> japanese_;
    quality::RunLabels labels_;
    quality::Inspection inspection_;
    std::optional<history::StoredRun> lastRun_;
    std::optional<quality::InspectionStep> lastAcceptance_;
};

}  // namespace kt520::app
