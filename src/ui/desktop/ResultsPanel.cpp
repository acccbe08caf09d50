#include "ui/desktop/ResultsPanel.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>
#include <chrono>

#include "profile/NumberText.h"
#include "ui/desktop/ProfileChart.h"

namespace kt520::ui::desktop {
namespace {

constexpr double kMicrometresPerMillimetre = 1000.0;
constexpr double kMicrometresPerInch = 25400.0;

double pitchOf(const std::string& pitchMicrometres) {
    return pitchMicrometres.empty() ? 0.0 : profile::readValue(pitchMicrometres);
}

QString clockTime(std::chrono::system_clock::time_point at) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(at.time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(seconds).toString("HH:mm:ss");
}

}  // namespace

std::vector<QPointF> traversePoints(const std::vector<double>& heights,
                                    const std::string& pitchMicrometres, bool inch) {
    const double pitch = pitchOf(pitchMicrometres);
    const double step =
        pitch > 0 ? pitch / (inch ? kMicrometresPerInch : kMicrometresPerMillimetre) : 1.0;
    std::vector<QPointF> points;
    points.reserve(heights.size());
    for (std::size_t i = 0; i < heights.size(); ++i)
        points.emplace_back(static_cast<double>(i) * step, heights[i]);
    return points;
}

ResultsPanel::ResultsPanel(QWidget* parent) : QWidget(parent) {
    measured_ = new ProfileChart({});
    measured_->setObjectName("measuredChart");
    evaluation_ = new ProfileChart({});
    evaluation_->setObjectName("evaluationChart");
    auto* charts = new QSplitter(Qt::Vertical);
    charts->addWidget(measured_);
    charts->addWidget(evaluation_);

    resultsTitle_ = new QLabel;
    table_ = new QTableWidget(0, 2);
    table_->setObjectName("resultsTable");
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    filesTitle_ = new QLabel;
    files_ = new QListWidget;
    files_->setObjectName("filesList");
    files_->setMaximumHeight(90);
    openFolder_ = new QPushButton;
    openFolder_->setObjectName("openFolderButton");
    connect(openFolder_, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder_)); });

    auto* side = new QVBoxLayout;
    side->addWidget(resultsTitle_);
    side->addWidget(table_, 1);
    side->addWidget(filesTitle_);
    side->addWidget(files_);
    side->addWidget(openFolder_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(9, 0, 9, 9);
    layout->addWidget(charts, 3);
    layout->addLayout(side, 1);
    openFolder_->setEnabled(false);
    retitle();
    evaluationTimer_.setSingleShot(true);
    connect(&evaluationTimer_, &QTimer::timeout, this,
            [this] { evaluation_->setProfile(std::move(evaluationPending_)); });
}

void ResultsPanel::setJapanese(bool japanese) {
    if (japanese_ == japanese) return;
    japanese_ = japanese;
    retitle();
}

void ResultsPanel::retitle() {
    measured_->chart()->setTitle(japanese_ ? "測定曲線" : "Measured profile");
    evaluation_->chart()->setTitle(japanese_ ? "評価曲線" : "Evaluation profile");
    resultsTitle_->setText(japanese_ ? "測定結果" : "Results");
    filesTitle_->setText(japanese_ ? "保存したファイル" : "Files written");
    openFolder_->setText(japanese_ ? "フォルダを開く" : "Open data folder");
    table_->setHorizontalHeaderLabels({"No.", japanese_ ? "値" : "Value"});
    const QString x =
        byPosition_ ? QString(japanese_ ? "位置 (%1)" : "Position (%1)").arg(inch_ ? "inch" : "mm")
                    : QString(japanese_ ? "点番号" : "Point");
    const QString y = QString(japanese_ ? "高さ (%1)" : "Height (%1)")
                          .arg(inch_ ? QStringLiteral("µinch") : QStringLiteral("µm"));
    for (ProfileChart* chart : {measured_, evaluation_}) {
        chart->chart()->axes(Qt::Horizontal).front()->setTitleText(x);
        chart->chart()->axes(Qt::Vertical).front()->setTitleText(y);
    }
}

void ResultsPanel::show(const measurement::RunRecord& record) {
    const bool byPosition = pitchOf(record.samplingPitchText) > 0;
    if (record.inch != inch_ || byPosition != byPosition_) {
        inch_ = record.inch;
        byPosition_ = byPosition;
        retitle();
    }
    table_->setRowCount(static_cast<int>(record.results.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        table_->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        table_->setItem(row, 1,
                        new QTableWidgetItem(
                            QString::fromStdString(record.results[static_cast<std::size_t>(row)])));
    }
    table_->resizeColumnToContents(0);
    files_->clear();
    const QString time = clockTime(record.finishedAt);
    for (const std::string& path : record.files) {
        const QFileInfo info(QString::fromStdString(path));
        auto* item = new QListWidgetItem(QString("%1  (%2)").arg(info.fileName(), time));
        item->setToolTip(info.filePath());
        files_->addItem(item);
    }
    folder_ = record.files.empty()
                  ? QString()
                  : QFileInfo(QString::fromStdString(record.files.front())).absolutePath();
    openFolder_->setEnabled(!record.files.empty());

    measured_->setProfile(traversePoints(record.measured, record.samplingPitchText, record.inch));
    // A plot lays out its axes and its line anew, some milliseconds of work:
    // the second one waits for the next round of the event loop.
    evaluationPending_ = traversePoints(record.evaluation, record.samplingPitchText, record.inch);
    evaluationTimer_.start(0);
}

}  // namespace kt520::ui::desktop
