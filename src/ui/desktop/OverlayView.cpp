#include "ui/desktop/OverlayView.h"

#include <QComboBox>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "history/RunText.h"
#include "ui/desktop/HistoryTexts.h"
#include "ui/desktop/ProfileChart.h"
#include "ui/desktop/ResultsPanel.h"

namespace kt520::ui::desktop {

OverlayView::OverlayView(bool japanese, QWidget* parent) : QWidget(parent), japanese_(japanese) {
    which_ = new QComboBox;
    which_->setObjectName("overlayProfile");
    which_->addItems({{}, {}});
    connect(which_, &QComboBox::currentIndexChanged, this, [this] { draw(); });
    view_ = new QChartView(new QChart);
    view_->setObjectName("overlayChart");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setRubberBand(QChartView::RectangleRubberBand);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(which_, 0, Qt::AlignLeft);
    layout->addWidget(view_, 1);
    setJapanese(japanese);
}

void OverlayView::setJapanese(bool japanese) {
    japanese_ = japanese;
    which_->setItemText(0, pick(japanese_, "Evaluation profiles", "評価曲線"));
    which_->setItemText(1, pick(japanese_, "Measured profiles", "測定曲線"));
    draw();
}

void OverlayView::show(const history::StoredRun& first, const history::StoredRun& second) {
    runs_.emplace(first, second);
    draw();
}

int OverlayView::drawnPoints(int line) const {
    const auto series = view_->chart()->series();
    if (line >= series.size()) return 0;
    return static_cast<int>(static_cast<QLineSeries*>(series[line])->count());
}

void OverlayView::draw() {
    QChart* chart = view_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    if (!runs_) return;
    const bool measured = which_->currentIndex() == 1;
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const int columns = std::max(200, view_->width());
    for (const auto& [run, colour] : {std::pair{&runs_->first, QColor(0x15, 0x4c, 0x9e)},
                                      std::pair{&runs_->second, QColor(0xc6, 0x28, 0x28)}}) {
        const auto points = traversePoints(measured ? run->measured : run->evaluation,
                                           run->conditions.samplingPitchText, run->inch);
        auto* series = new QLineSeries;
        series->setName(
            QString("%1  %2").arg(run->id).arg(history::localTimeText(run->finishedAt)));
        series->setColor(colour);
        if (!points.empty()) {
            const auto drawn = envelope(points, points.front().x(), points.back().x(), columns);
            series->replace(QList<QPointF>(drawn.begin(), drawn.end()));
        }
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    const bool inch = runs_->first.inch;
    const bool byPosition = !runs_->first.conditions.samplingPitchText.empty();
    x->setTitleText(byPosition
                        ? pick(japanese_, "Position (%1)", "位置 (%1)").arg(inch ? "inch" : "mm")
                        : pick(japanese_, "Point", "点番号"));
    y->setTitleText(pick(japanese_, "Height (%1)", "高さ (%1)").arg(inch ? "µinch" : "µm"));
}

}  // namespace kt520::ui::desktop
