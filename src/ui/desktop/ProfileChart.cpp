#include "ui/desktop/ProfileChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace kt520::ui::desktop {

std::vector<QPointF> envelope(const std::vector<QPointF>& points, double from, double to,
                              int columns) {
    auto first = std::lower_bound(points.begin(), points.end(), from,
                                  [](const QPointF& point, double x) { return point.x() < x; });
    auto last = std::upper_bound(first, points.end(), to,
                                 [](double x, const QPointF& point) { return x < point.x(); });
    if (first != points.begin()) --first;
    if (last != points.end()) ++last;
    if (last - first <= 2L * columns || to <= from) return {first, last};

    std::vector<QPointF> out;
    out.reserve(2 * static_cast<std::size_t>(columns) + 2);
    const double width = (to - from) / columns;
    auto column = first;
    while (column != last) {
        const double bucket = std::floor((column->x() - from) / width);
        auto end = column;
        auto low = column, high = column;
        while (end != last && std::floor((end->x() - from) / width) == bucket) {
            if (end->y() < low->y()) low = end;
            if (end->y() > high->y()) high = end;
            ++end;
        }
        out.push_back(*std::min(low, high));
        if (low != high) out.push_back(*std::max(low, high));
        column = end;
    }
    return out;
}

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
    connect(x, &QValueAxis::rangeChanged, this, [this] { drawRangeInView(); });
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumHeight(150);
    setProfile({});
}

void ProfileChart::setProfile(std::vector<QPointF> points) {
    profile_ = std::move(points);
    auto* x = static_cast<QValueAxis*>(chart()->axes(Qt::Horizontal).front());
    auto* y = static_cast<QValueAxis*>(chart()->axes(Qt::Vertical).front());
    {
        // The new ranges are drawn once, not at each step towards them, and
        // not with the old profile either: the chart lays out its line again
        // at every change of a range.
        const QScopedValueRollback<bool> hold(settingRanges_, true);
        static_cast<QLineSeries*>(chart()->series().front())->clear();
        if (chart()->isZoomed()) chart()->zoomReset();
        if (profile_.empty()) {
            x->setRange(0, 1);
            y->setRange(-1, 1);
        } else {
            const auto [minY, maxY] = std::minmax_element(
                profile_.begin(), profile_.end(), [](auto& a, auto& b) { return a.y() < b.y(); });
            const double margin = std::max((maxY->y() - minY->y()) * 0.05, 1e-6);
            y->setRange(minY->y() - margin, maxY->y() + margin);
            y->applyNiceNumbers();
            const double from = profile_.front().x();
            x->setRange(from, std::max(profile_.back().x(), from + 1e-9));
        }
    }
    drawRangeInView();
}

void ProfileChart::drawRangeInView() {
    if (settingRanges_) return;
    auto* series = static_cast<QLineSeries*>(chart()->series().front());
    auto* x = static_cast<QValueAxis*>(chart()->axes(Qt::Horizontal).front());
    const int columns = std::max(1, static_cast<int>(chart()->plotArea().width()) / 2);
    const std::vector<QPointF> drawn = envelope(profile_, x->min(), x->max(), columns);
    series->replace(QList<QPointF>(drawn.begin(), drawn.end()));
}

void ProfileChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    drawRangeInView();
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
