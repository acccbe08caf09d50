#pragma once
// Statistics of one parameter over the runs the history window lists (or
// selects): n, mean, standard deviation, min, max and, with the part's
// limits, Cp and Cpk; a trend chart of the values in run order with the
// limits as lines, and a histogram of the values.
#include <QWidget>
#include <optional>

#include "history/History.h"
#include "quality/Statistics.h"

class QChartView;
class QComboBox;
class QLabel;

namespace kt520::ui::desktop {

class StatisticsView : public QWidget {
  public:
    StatisticsView(history::History& history, bool japanese, QWidget* parent = nullptr);

    // Reads the parameters and the values of the runs `filter` takes.
    void show(const history::RunFilter& filter, std::function<void()> done = {});
    void setJapanese(bool japanese);

    QComboBox* parameter() const { return parameter_; }
    const std::optional<quality::Statistics>& shown() const { return statistics_; }
    QChartView* trend() const { return trend_; }
    QChartView* histogram() const { return histogram_; }

  private:
    void showParameter(std::function<void()> done = {});
    void draw(const std::vector<history::SeriesPoint>& points);
    std::optional<quality::Limit> limitOf(const std::string& parameter) const;
    void retitle();

    history::History& history_;
    bool japanese_;
    history::RunFilter filter_;
    std::optional<quality::Statistics> statistics_;
    std::optional<quality::Limit> limit_;
    QLabel* parameterTitle_;
    QComboBox* parameter_;
    QLabel* figures_;
    QChartView* trend_;
    QChartView* histogram_;
};

// The bins of a histogram: Sturges' count (1 + log2 n) over [min, max].
struct Bins {
    double first = 0;
    double width = 1;
    std::vector<int> counts;
};
[[nodiscard]] Bins histogramBins(const std::vector<double>& values);

}  // namespace kt520::ui::desktop
