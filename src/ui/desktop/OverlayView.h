#pragma once
// Two stored runs' profiles on one plot, the older in blue and the newer in
// red, over the traverse; a choice between the evaluation and the measured
// profiles.
#include <QWidget>
#include <optional>
#include <utility>

#include "history/StoredRun.h"

class QChartView;
class QComboBox;

namespace kt520::ui::desktop {

class OverlayView : public QWidget {
  public:
    explicit OverlayView(bool japanese, QWidget* parent = nullptr);

    void show(const history::StoredRun& first, const history::StoredRun& second);
    void setJapanese(bool japanese);
    // The points drawn of each run's line.
    int drawnPoints(int line) const;

  private:
    void draw();

    bool japanese_;
    std::optional<std::pair<history::StoredRun, history::StoredRun>> runs_;
    QComboBox* which_;
    QChartView* view_;
};

}  // namespace kt520::ui::desktop
