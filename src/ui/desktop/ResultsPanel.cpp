#include "ui/desktop/ResultsPanel.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

#include "ui/desktop/ProfileChart.h"

namespace kt520::ui::desktop {

ResultsPanel::ResultsPanel(QString dataFolder, QWidget* parent)
    : QWidget(parent), dataFolder_(std::move(dataFolder)) {
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
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(dataFolder_)); });

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
    retitle();
    show(RunFilesView{});
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
    table_->setHorizontalHeaderLabels({japanese_ ? "No." : "No.", japanese_ ? "値" : "Value"});
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

void ResultsPanel::show(const RunFilesView& run) {
    inch_ = run.inch;
    byPosition_ = run.pitchMm.has_value();
    measured_->setProfile(traversePoints(run.measured, run.pitchMm, run.inch));
    evaluation_->setProfile(traversePoints(run.evaluation, run.pitchMm, run.inch));
    table_->setRowCount(static_cast<int>(run.results.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        table_->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        table_->setItem(row, 1, new QTableWidgetItem(run.results[static_cast<size_t>(row)]));
    }
    table_->resizeColumnToContents(0);
    files_->clear();
    for (const QString& path : run.files) {
        const QFileInfo info(path);
        auto* item = new QListWidgetItem(
            QString("%1  (%2)").arg(info.fileName(), info.lastModified().toString("HH:mm:ss")));
        item->setToolTip(path);
        files_->addItem(item);
    }
    openFolder_->setEnabled(!run.files.empty());
    retitle();
}

}  // namespace kt520::ui::desktop
