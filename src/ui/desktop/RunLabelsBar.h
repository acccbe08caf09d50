#pragma once
// The main window's strip for the history: the part, lot and operator of the
// next runs (kept from run to run), the last run's verdict in colour with the
// part's acceptance beside it, and the button that opens the history.
#include <QToolBar>
#include <string>

#include "app/RunKeeper.h"
#include "quality/Judgement.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kt520::ui::desktop {

class HistoryDialog;

class RunLabelsBar : public QToolBar {
  public:
    RunLabelsBar(app::RunKeeper& keeper, std::string dataFolder, QWidget* parent = nullptr);

    void setJapanese(bool japanese);
    void showJudgement(const quality::RunJudgement& judgement);
    // A run reached the history: an open history window lists it.
    void runStored();
    HistoryDialog* history() const { return dialog_; }
    QLabel* verdictLabel() const { return verdict_; }

  private:
    void retitle();
    void openHistory();

    app::RunKeeper& keeper_;
    std::string dataFolder_;
    bool japanese_ = false;
    std::optional<quality::RunJudgement> shown_;
    QLabel* partTitle_;
    QLabel* lotTitle_;
    QLabel* operatorTitle_;
    QLineEdit* part_;
    QLineEdit* lot_;
    QLineEdit* operator_;
    QLabel* verdict_;
    QLabel* acceptance_;
    QPushButton* open_;
    HistoryDialog* dialog_ = nullptr;
};

// "NG: Ra 1.2 > 0.8" style lines are long; the acceptance in words.
[[nodiscard]] QString acceptanceText(const quality::InspectionStep& step, bool japanese);

}  // namespace kt520::ui::desktop
