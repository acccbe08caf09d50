#include "ui/desktop/ProfileChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace kt520::ui::desktop {

ProfileChart::ProfileChart(const QString& title, QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* series = new QLineSeries;
    series->setUseOpenGL(false);
    chart->addSeries(series);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumHeight(150);
}

int ProfileChart::pointCount() const {
    auto* series = static_cast<QLineSeries*>(chart()->series().front());
    return static_cast<int>(series->count());
}

void ProfileChart::setProfile(const std::vector<QPointF>& points) {
    auto* series = static_cast<QLineSeries*>(chart()->series().front());
    series->replace(QList<QPointF>(points.begin(), points.end()));
    auto* x = static_cast<QValueAxis*>(chart()->axes(Qt::Horizontal).front());
    auto* y = static_cast<QValueAxis*>(chart()->axes(Qt::Vertical).front());
    chart()->zoomReset();
    if (points.empty()) {
        x->setRange(0, 1);
        y->setRange(-1, 1);
        return;
    }
    const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(),
                                                  [](auto& a, auto& b) { return a.x() < b.x(); });
    const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(),
                                                  [](auto& a, auto& b) { return a.y() < b.y(); });
    const double margin = std::max((maxY->y() - minY->y()) * 0.05, 1e-6);
    x->setRange(minX->x(), std::max(maxX->x(), minX->x() + 1e-9));
    y->setRange(minY->y() - margin, maxY->y() + margin);
    y->applyNiceNumbers();
}

void ProfileChart::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) chart()->zoom(std::pow(1.25, steps));
    event->accept();
}

void ProfileChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        panFrom_ = event->position();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void ProfileChart::mouseMoveEvent(QMouseEvent* event) {
    if (panning_) {
        const QPointF delta = event->position() - panFrom_;
        panFrom_ = event->position();
        chart()->scroll(-delta.x(), delta.y());
        event->accept();
        return;
    }
    QChartView::mouseMoveEvent(event);
}

void ProfileChart::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_ && event->button() == Qt::MiddleButton) {
        panning_ = false;
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

void ProfileChart::mouseDoubleClickEvent(QMouseEvent* event) {
    chart()->zoomReset();
    event->accept();
}

void ProfileChart::keyPressEvent(QKeyEvent* event) {
    const double step = 20;
    switch (event->key()) {
        case Qt::Key_Left:
            chart()->scroll(-step, 0);
            break;
        case Qt::Key_Right:
            chart()->scroll(step, 0);
            break;
        case Qt::Key_Up:
            chart()->scroll(0, step);
            break;
        case Qt::Key_Down:
            chart()->scroll(0, -step);
            break;
        case Qt::Key_Plus:
            chart()->zoomIn();
            break;
        case Qt::Key_Minus:
            chart()->zoomOut();
            break;
        case Qt::Key_0:
            chart()->zoomReset();
            break;
        default:
            QChartView::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace kt520::ui::desktop
