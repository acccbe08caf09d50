#pragma once
// What the last run left behind: the measured and evaluation profiles as
// plots, the results as a table, and the files with a button that opens their
// folder.
#include <QString>
#include <QWidget>

#include "ui/desktop/RunFilesReader.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kt520::ui::desktop {

class ProfileChart;

class ResultsPanel : public QWidget {
  public:
    explicit ResultsPanel(QString dataFolder, QWidget* parent = nullptr);

    void show(const RunFilesView& run);
    void setJapanese(bool japanese);

    ProfileChart* measuredChart() const { return measured_; }
    ProfileChart* evaluationChart() const { return evaluation_; }
    QTableWidget* resultsTable() const { return table_; }
    QListWidget* filesList() const { return files_; }

  private:
    void retitle();

    QString dataFolder_;
    bool japanese_ = false;
    bool inch_ = false;
    bool byPosition_ = false;
    ProfileChart* measured_;
    ProfileChart* evaluation_;
    QLabel* resultsTitle_;
    QTableWidget* table_;
    QLabel* filesTitle_;
    QListWidget* files_;
    QPushButton* openFolder_;
};

}  // namespace kt520::ui::desktop
