#pragma once
// One profile as a line plot: heights over the traverse, zoomed with a rubber
// band or the wheel, panned with the middle button or the arrow keys, reset with
// a double click. A profile holds up to 30000 points, far more than the plot
// has pixel columns, and the chart lays out every point it is given (tens of
// milliseconds for a long profile, with the window standing still); so the
// plot draws the envelope of the range in view, one pair of points for every
// two pixel columns, and draws it again when the range or the size changes.
#include <QPointF>
#include <QString>
#include <QtCharts/QChartView>
#include <vector>

namespace kt520::ui::desktop {

class ProfileChart : public QChartView {
  public:
    explicit ProfileChart(const QString& title, QWidget* parent = nullptr);

    // Replaces the plot; an empty list shows an empty chart.
    void setProfile(std::vector<QPointF> points);
    // The points of the profile (not all of them are drawn).
    int pointCount() const { return static_cast<int>(profile_.size()); }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void drawRangeInView();

    std::vector<QPointF> profile_;
    bool settingRanges_ = false;
    QPointF panFrom_;
    bool panning_ = false;
};

// What a line through `points` (sorted by x) looks like between `from` and
// `to` at `columns` pixel columns: where more than two points fall into a
// column, only the lowest and the highest of them, in their order. The points
// just outside the range are kept, so the line runs to the plot's edges.
[[nodiscard]] std::vector<QPointF> envelope(const std::vector<QPointF>& points, double from,
                                            double to, int columns);

}  // namespace kt520::ui::desktop
