#include "ui/desktop/StatisticsView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <cmath>

#include "ui/desktop/HistoryTexts.h"

namespace kt520::ui::desktop {
namespace {

QString figure(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 5) : QStringLiteral("-");
}

void clear(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QChartView* chartView(const char* name) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* view = new QChartView(chart);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(160);
    return view;
}

}  // namespace

Bins histogramBins(const std::vector<double>& values) {
    Bins bins;
    if (values.empty()) return bins;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const int count =
        1 + static_cast<int>(std::ceil(std::log2(static_cast<double>(values.size()))));
    bins.first = *low;
    bins.width = *high > *low ? (*high - *low) / count : 1.0;
    bins.counts.assign(static_cast<std::size_t>(count), 0);
    for (double v : values) {
        const int at = std::min(count - 1, static_cast<int>((v - bins.first) / bins.width));
        ++bins.counts[static_cast<std::size_t>(at)];
    }
    return bins;
}

StatisticsView::StatisticsView(history::History& history, bool japanese, QWidget* parent)
    : QWidget(parent), history_(history), japanese_(japanese) {
    parameterTitle_ = new QLabel;
    parameter_ = new QComboBox;
    parameter_->setObjectName("statisticsParameter");
    parameter_->setMinimumContentsLength(14);
    connect(parameter_, &QComboBox::currentIndexChanged, this, [this] { showParameter(); });
    figures_ = new QLabel;
    figures_->setObjectName("statisticsFigures");
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    trend_ = chartView("trendChart");
    histogram_ = chartView("histogramChart");
    auto* layout = new QGridLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(parameterTitle_);
    top->addWidget(parameter_);
    top->addStretch();
    layout->addLayout(top, 0, 0, 1, 2);
    layout->addWidget(figures_, 1, 0, 1, 2);
    layout->addWidget(trend_, 2, 0);
    layout->addWidget(histogram_, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(2, 1);
    retitle();
}

void StatisticsView::setJapanese(bool japanese) {
    japanese_ = japanese;
    retitle();
}

void StatisticsView::retitle() {
    parameterTitle_->setText(pick(japanese_, "Parameter", "パラメータ"));
    trend_->chart()->setTitle(pick(japanese_, "Trend", "推移"));
    histogram_->chart()->setTitle(pick(japanese_, "Histogram", "ヒストグラム"));
    if (!statistics_) {
        figures_->setText(pick(japanese_, "No values", "値なし"));
        return;
    }
    const quality::Statistics& s = *statistics_;
    const QString limits =
        limit_ ? QString("%1 .. %2").arg(figure(limit_->low), figure(limit_->high)) : QString("-");
    figures_->setText(
        pick(japanese_,
             "n %1   mean %2   std. dev. %3   min %4   max %5   limits %6   Cp %7   Cpk %8",
             "n %1   平均 %2   標準偏差 %3   最小 %4   最大 %5   規格 %6   Cp %7   Cpk %8")
            .arg(s.n)
            .arg(figure(s.mean), figure(s.standardDeviation), figure(s.min), figure(s.max), limits,
                 figure(s.cp), figure(s.cpk)));
}

std::optional<quality::Limit> StatisticsView::limitOf(const std::string& parameter) const {
    // The limits of the part the filter names, when it names one exactly.
    for (const quality::Tolerance& t : history_.tolerances())
        if (t.parameter == parameter && !filter_.part.empty() && t.part == filter_.part)
            return t.limit;
    return std::nullopt;
}

void StatisticsView::show(const history::RunFilter& filter, std::function<void()> done) {
    filter_ = filter;
    using Names = std::optional<std::vector<std::string>>;
    history_.query<Names>(
        [filter](history::HistoryDatabase& db) { return db.parameterNames(filter); },
        [this, done = std::move(done)](Names names) mutable {
            const QString current = parameter_->currentText();
            {
                const QSignalBlocker hold(parameter_);
                parameter_->clear();
                for (const std::string& name : names.value_or(std::vector<std::string>{}))
                    parameter_->addItem(QString::fromStdString(name));
                const int at = parameter_->findText(current);
                parameter_->setCurrentIndex(at >= 0 ? at : 0);
            }
            showParameter(std::move(done));
        });
}

void StatisticsView::showParameter(std::function<void()> done) {
    const std::string name = parameter_->currentText().toStdString();
    using Points = std::optional<std::vector<history::SeriesPoint>>;
    history_.query<Points>(
        [name, filter = filter_](history::HistoryDatabase& db) { return db.series(name, filter); },
        [this, name, done = std::move(done)](Points points) {
            limit_ = limitOf(name);
            draw(points.value_or(std::vector<history::SeriesPoint>{}));
            if (done) done();
        });
}

void StatisticsView::draw(const std::vector<history::SeriesPoint>& points) {
    std::vector<double> values;
    for (const history::SeriesPoint& p : points) values.push_back(p.value);
    statistics_.reset();
    if (!values.empty()) statistics_ = quality::describe(values, limit_);
    retitle();

    QChart* trend = trend_->chart();
    clear(trend);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setLabelFormat("%d");
    trend->addAxis(x, Qt::AlignBottom);
    trend->addAxis(y, Qt::AlignLeft);
    auto* line = new QLineSeries;
    line->setPointsVisible(true);
    for (std::size_t i = 0; i < values.size(); ++i)
        line->append(static_cast<double>(i + 1), values[i]);
    trend->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
    double low = values.empty() ? 0 : *std::min_element(values.begin(), values.end());
    double high = values.empty() ? 1 : *std::max_element(values.begin(), values.end());
    const double last = std::max<double>(2, static_cast<double>(values.size()));
    for (const auto& bound :
         {limit_ ? limit_->low : std::nullopt, limit_ ? limit_->high : std::nullopt}) {
        if (!bound) continue;
        auto* limitLine = new QLineSeries;
        limitLine->setPen(QPen(QColor(0xc6, 0x28, 0x28), 2, Qt::DashLine));
        limitLine->append(1, *bound);
        limitLine->append(last, *bound);
        trend->addSeries(limitLine);
        limitLine->attachAxis(x);
        limitLine->attachAxis(y);
        low = std::min(low, *bound);
        high = std::max(high, *bound);
    }
    const double margin = std::max((high - low) * 0.08, 1e-6);
    y->setRange(low - margin, high + margin);
    x->setRange(1, last);

    QChart* histogram = histogram_->chart();
    clear(histogram);
    const Bins bins = histogramBins(values);
    auto* set = new QBarSet(QString());
    QStringList categories;
    for (std::size_t i = 0; i < bins.counts.size(); ++i) {
        *set << bins.counts[i];
        categories << QString::number(bins.first + bins.width * (static_cast<double>(i) + 0.5), 'g',
                                      3);
    }
    auto* bars = new QBarSeries;
    bars->append(set);
    bars->setBarWidth(0.95);
    histogram->addSeries(bars);
    auto* classes = new QBarCategoryAxis;
    classes->append(categories);
    auto* counts = new QValueAxis;
    counts->setLabelFormat("%d");
    histogram->addAxis(classes, Qt::AlignBottom);
    histogram->addAxis(counts, Qt::AlignLeft);
    bars->attachAxis(classes);
    bars->attachAxis(counts);
}

}  // namespace kt520::ui::desktop
