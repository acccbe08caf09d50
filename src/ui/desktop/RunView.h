#pragma once
// One stored run as the window shows a run that just ended: its plots and
// the instrument's fields (the results panel), beside them the named results
// with their limits and verdicts in colour, and the condition listing.
#include <QWidget>

#include "history/StoredRun.h"

class QLabel;
class QListWidget;
class QTableWidget;

namespace kt520::ui::desktop {

class ResultsPanel;

class RunView : public QWidget {
  public:
    explicit RunView(bool japanese, QWidget* parent = nullptr);

    void show(const history::StoredRun& run);
    void setJapanese(bool japanese);

    ResultsPanel* results() const { return panel_; }
    QTableWidget* namedResults() const { return named_; }
    QListWidget* conditions() const { return conditions_; }

  private:
    void retitle();

    bool japanese_;
    std::optional<history::StoredRun> shown_;
    ResultsPanel* panel_;
    QLabel* header_;
    QLabel* namedTitle_;
    QTableWidget* named_;
    QLabel* conditionsTitle_;
    QListWidget* conditions_;
};

// "0.1 .. 0.8 (16%)", "- .. 0.8 (max)": a limit as the tables show it.
[[nodiscard]] QString limitText(const quality::Limit& limit);

}  // namespace kt520::ui::desktop
