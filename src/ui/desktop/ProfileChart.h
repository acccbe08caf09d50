#pragma once
// One profile as a line plot: heights over the traverse, zoomed with a rubber
// band or the wheel, panned with the middle button or the arrow keys, reset with
// a double click.
#include <QPointF>
#include <QString>
#include <QtCharts/QChartView>
#include <vector>

namespace kt520::ui::desktop {

class ProfileChart : public QChartView {
  public:
    explicit ProfileChart(const QString& title, QWidget* parent = nullptr);

    // Replaces the plot; an empty list shows an empty chart.
    void setProfile(const std::vector<QPointF>& points);
    int pointCount() const;

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPointF panFrom_;
    bool panning_ = false;
};

}  // namespace kt520::ui::desktop
