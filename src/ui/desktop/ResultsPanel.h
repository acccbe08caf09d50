#pragma once
// What the last run published, from its record in memory: the measured and
// evaluation profiles as plots over the traverse, the results as a table, and
// the files written with a button that opens their folder.
#include <QPointF>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "measurement/RunRecord.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kt520::ui::desktop {

class ProfileChart;

class ResultsPanel : public QWidget {
  public:
    explicit ResultsPanel(QWidget* parent = nullptr);

    // The evaluation profile follows on the next round of the event loop.
    void show(const measurement::RunRecord& record);
    void setJapanese(bool japanese);

    ProfileChart* measuredChart() const { return measured_; }
    ProfileChart* evaluationChart() const { return evaluation_; }
    QTableWidget* resultsTable() const { return table_; }
    QListWidget* filesList() const { return files_; }

  private:
    void retitle();

    bool japanese_ = false;
    bool inch_ = false;
    bool byPosition_ = false;
    QString folder_;
    std::vector<QPointF> evaluationPending_;  // drawn when evaluationTimer_ fires
    QTimer evaluationTimer_;
    ProfileChart* measured_;
    ProfileChart* evaluation_;
    QLabel* resultsTitle_;
    QTableWidget* table_;
    QLabel* filesTitle_;
    QListWidget* files_;
    QPushButton* openFolder_;
};

// The heights as points over the traverse: x in mm (inch for an inch run)
// from the sampling pitch in micrometres, or the point number when the pitch
// is not known (empty or not above 0).
[[nodiscard]] std::vector<QPointF> traversePoints(const std::vector<double>& heights,
                                                  const std::string& pitchMicrometres, bool inch);

}  // namespace kt520::ui::desktop
