#pragma once
// The history window: the stored runs (newest first, filtered by part, lot,
// dates and verdict), one run opened as after a run, two runs overlaid,
// statistics with a trend chart and a histogram, the tolerance editor and
// the report's company and logo. Every read and write goes through the
// history's thread; the window waits for nothing.
#include <QDialog>
#include <string>
#include <vector>

#include "app/RunKeeper.h"

class QComboBox;
class QDateEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace kt520::ui::desktop {

class RunListModel;
class RunView;
class OverlayView;
class StatisticsView;
class ToleranceEditor;

class HistoryDialog : public QDialog {
  public:
    HistoryDialog(app::RunKeeper& keeper, std::string dataFolder, bool japanese,
                  QWidget* parent = nullptr);

    void setJapanese(bool japanese);
    // Reads the list again with the filter shown; `done` follows once it is shown.
    void refreshRuns(std::function<void()> done = {});

    QTableView* runList() const { return list_; }
    RunListModel* runs() const { return model_; }
    QTabWidget* tabs() const { return tabs_; }
    RunView* runView() const { return runView_; }
    StatisticsView* statistics() const { return statistics_; }
    ToleranceEditor* tolerances() const { return tolerances_; }
    OverlayView* overlay() const { return overlay_; }
    // The selected runs' ids, newest first.
    std::vector<history::RunId> selected() const;
    void openRun(history::RunId id);
    void overlayRuns(history::RunId first, history::RunId second);

  private:
    QWidget* buildRuns();
    QWidget* buildReportSettings();
    history::RunFilter filter() const;
    void retitle();
    void exportResults();
    void exportProfiles();
    void writeReport();
    void deleteSelected();
    void updateButtons();
    void tell(const QString& text, bool fault);

    app::RunKeeper& keeper_;
    history::History& history_;
    std::string dataFolder_;
    bool japanese_;
    int listGeneration_ = 0;

    QTabWidget* tabs_;
    QLabel* partTitle_;
    QLabel* lotTitle_;
    QLabel* fromTitle_;
    QLabel* toTitle_;
    QLabel* verdictTitle_;
    QLineEdit* part_;
    QLineEdit* lot_;
    QCheckBox* useDates_;
    QDateEdit* from_;
    QDateEdit* to_;
    QComboBox* verdict_;
    QTableView* list_;
    RunListModel* model_;
    QLabel* count_;
    QPushButton* open_;
    QPushButton* overlayButton_;
    QPushButton* exportResults_;
    QPushButton* exportProfiles_;
    QPushButton* report_;
    QPushButton* delete_;
    RunView* runView_;
    OverlayView* overlay_;
    StatisticsView* statistics_;
    ToleranceEditor* tolerances_;
    QLabel* companyTitle_;
    QLabel* logoTitle_;
    QLineEdit* company_;
    QLineEdit* logo_;
    QPushButton* browseLogo_;
};

}  // namespace kt520::ui::desktop
