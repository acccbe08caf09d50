#include "ui/desktop/ResultsPanel.h"

#include <QAction>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

#include "profile/NumberText.h"
#include "ui/desktop/ProfileChart.h"
#include "ui/desktop/ResultRows.h"

namespace kt520::ui::desktop {
namespace {

using measurement::RunRecord;

constexpr double kMicrometresPerMillimetre = 1000.0;
constexpr double kMicrometresPerInch = 25400.0;
// Tall enough for a plot's title, axes and tick labels; below it the plots scroll.
constexpr int kPlotMinimumHeight = 210;
constexpr int kDecimals = 3;  // as the instrument's fields
const QColor kNoteColour(170, 80, 0);
const QColor kFlaggedBackground(255, 205, 130);
// The verdict colours of the run labels bar.
const QColor kOkColour(0x1b, 0x7f, 0x3b);
const QColor kNgColour(0xc6, 0x28, 0x28);
const char* const kFieldNamesKey = "results/instrumentFieldNames";

double pitchOf(const std::string& pitchMicrometres) {
    return pitchMicrometres.empty() ? 0.0 : profile::readValue(pitchMicrometres);
}

QString clockTime(std::chrono::system_clock::time_point at) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(at.time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(seconds).toString("HH:mm:ss");
}

QSettings userSettings() {
    return QSettings(QSettings::UserScope, QStringLiteral("kt520"), QStringLiteral("kt520"));
}

QString number(double value) {
    return QString::number(value, 'f', kDecimals);
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

ResultsPanel::ResultsPanel(QWidget* parent)
    : QWidget(parent),
      openFolder(QDesktopServices::openUrl),
      profiles_(makePart("profiles")),
      results_(makePart("results")),
      filesPart_(makePart("files")) {
    measured_ = new ProfileChart({});
    measured_->setObjectName("measuredChart");
    evaluation_ = new ProfileChart({});
    evaluation_->setObjectName("evaluationChart");
    auto* charts = new QWidget;
    auto* chartsLayout = new QVBoxLayout(charts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    for (ProfileChart* chart : {measured_, evaluation_}) {
        chart->setMinimumHeight(kPlotMinimumHeight);
        chartsLayout->addWidget(chart);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(charts);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    table_ = new QTableWidget(0, 4);
    table_->setObjectName("resultsTable");
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    nameFields_ = new QAction(table_);
    table_->addAction(nameFields_);
    connect(nameFields_, &QAction::triggered, this, [this] { editFieldNames(); });

    files_ = new QListWidget;
    files_->setObjectName("filesList");
    files_->setMaximumWidth(files_->fontMetrics().horizontalAdvance("Evaluation.csv") * 3 / 2);
    openFolder_ = new QPushButton;
    openFolder_->setObjectName("openFolderButton");
    openFolder_->setEnabled(false);
    connect(openFolder_, &QPushButton::clicked, this, [this] { openDataFolder(); });

    const auto column = [](Part& part, QWidget* content) {
        auto* layout = new QVBoxLayout;
        layout->addWidget(part.header);
        layout->addWidget(part.note);
        layout->addWidget(content, 1);
        return layout;
    };
    auto* filesColumn = column(filesPart_, files_);
    filesColumn->addWidget(openFolder_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    profilesColumn_ = column(profiles_, scroll);
    layout->addLayout(profilesColumn_, 1);
    layout->addLayout(column(results_, table_), 0);
    layout->addLayout(filesColumn, 0);

    fieldNames_ = userSettings().value(kFieldNamesKey).toStringList();
    retitle();
    fillTable();
    evaluationTimer_.setSingleShot(true);
    connect(&evaluationTimer_, &QTimer::timeout, this,
            [this] { evaluation_->setProfile(std::move(evaluationPending_)); });
}

ResultsPanel::Part ResultsPanel::makePart(const QString& name) {
    Part part{new QLabel, new QLabel, std::nullopt};
    part.header->setObjectName(name + "Header");
    part.note->setObjectName(name + "Note");
    part.note->setWordWrap(true);
    QPalette palette = part.note->palette();
    palette.setColor(QPalette::WindowText, kNoteColour);
    part.note->setPalette(palette);
    part.note->hide();
    return part;
}

QString ResultsPanel::text(const char* english, const char* japanese) const {
    return QString::fromUtf8(japanese_ ? japanese : english);
}

QString ResultsPanel::stampText(const Stamp& stamp) const {
    const QString time = clockTime(stamp.at);
    switch (stamp.source) {
        case RunRecord::Source::Measurement:
            return text("run %1", "測定 %1").arg(time);
        case RunRecord::Source::Read:
            return text("Read %1", "読込 %1").arg(time);
        case RunRecord::Source::Card:
            return text("card %1", "カード %1").arg(time);
        case RunRecord::Source::ResultRead:
            break;
    }
    return text("Result Read %1", "結果読込 %1").arg(time);
}

void ResultsPanel::addAbovePlots(QWidget* strip) {
    profilesColumn_->insertWidget(0, strip);
    profilesColumn_->setSpacing(2);
}

void ResultsPanel::showVerdict(const quality::RunVerdict& verdict) {
    verdicts_.clear();
    for (const quality::ParameterVerdict& p : verdict.parameters)
        if (p.verdict != quality::Verdict::NotJudged) verdicts_[p.name] = p;
    fillTable();
}

void ResultsPanel::setJapanese(bool japanese) {
    if (japanese_ == japanese) return;
    japanese_ = japanese;
    retitle();
    fillTable();
}

// The note says when the part is not from the latest run, else `remark`, if any.
void ResultsPanel::retitle(Part& part, const QString& title, const QString& remark) {
    part.header->setText(part.stamp ? QString("<b>%1</b> — %2").arg(title, stampText(*part.stamp))
                                    : QString("<b>%1</b>").arg(title));
    const bool earlier = part.stamp && latest_ && *part.stamp != *latest_;
    part.note->setText(
        earlier ? text("Not from the latest run (%1).", "最新の実行（%1）のものではありません。")
                      .arg(stampText(*latest_))
                : remark);
    part.note->setVisible(!part.note->text().isEmpty());
}

void ResultsPanel::retitle() {
    retitle(profiles_, text("Profiles", "曲線"));
    retitle(results_, text("Results", "測定結果"),
            resultsRefused_ ? text("The instrument sent no results (No data).",
                                   "測定機から結果がありません（No data）。")
                            : QString());
    retitle(filesPart_, text("Files written", "保存したファイル"));
    measured_->chart()->setTitle(text("Measured profile", "測定曲線"));
    evaluation_->chart()->setTitle(text("Evaluation profile", "評価曲線"));
    openFolder_->setText(text("Open data folder", "フォルダを開く"));
    nameFields_->setText(text("Name the instrument's fields...", "測定機の項目に名前を付ける..."));
    table_->horizontalHeader()->setToolTip(
        text("Right-click the table to name the instrument's fields.",
             "表を右クリックすると測定機の項目に名前を付けられます。"));
    table_->setHorizontalHeaderLabels({text("Parameter", "パラメータ"), "PC",
                                       text("Instrument", "測定機"), text("Unit", "単位")});
    const QString x = byPosition_ ? text("Position (%1)", "位置 (%1)").arg(inch_ ? "inch" : "mm")
                                  : text("Point", "点番号");
    const QString y = text("Height (%1)", "高さ (%1)")
                          .arg(inch_ ? QStringLiteral("µinch") : QStringLiteral("µm"));
    for (ProfileChart* chart : {measured_, evaluation_}) {
        chart->chart()->axes(Qt::Horizontal).front()->setTitleText(x);
        chart->chart()->axes(Qt::Vertical).front()->setTitleText(y);
    }
}

void ResultsPanel::show(const RunRecord& record) {
    using Outcome = RunRecord::Outcome;
    // A run refused before it began measured nothing: what is shown stays the latest.
    if (record.outcome == Outcome::NotStarted) return;
    latest_ = Stamp{record.source, record.finishedAt};
    if (record.outcome == Outcome::Written || record.outcome == Outcome::ResultsOnly) {
        results_.stamp = latest_;
        resultsRefused_ = record.resultsRefused;
        parameters_ = record.analysis;
        fields_ = record.results;
        verdicts_.clear();
        fillTable();
    }
    if (record.outcome != Outcome::Written) {
        retitle();
        return;
    }
    profiles_.stamp = latest_;
    filesPart_.stamp = latest_;
    inch_ = record.inch;
    byPosition_ = pitchOf(record.samplingPitchText) > 0;
    retitle();

    files_->clear();
    for (const std::string& path : record.files) {
        const QFileInfo info(QString::fromStdString(path));
        auto* item = new QListWidgetItem(info.fileName());
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

void ResultsPanel::fillTable() {
    std::vector<std::string> names;
    for (const QString& name : fieldNames_) names.push_back(name.toStdString());
    const std::vector<ResultRow> rows = resultRows(parameters_, fields_, names);
    table_->setUpdatesEnabled(false);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const ResultRow& row = rows[static_cast<std::size_t>(r)];
        const QString name = row.name.empty()
                                 ? text("instrument field %1", "測定機の項目 %1").arg(row.field)
                                 : QString::fromStdString(row.name);
        const QString cells[] = {name, row.computed ? number(*row.computed) : QString(),
                                 QString::fromStdString(row.instrumentText),
                                 QString::fromStdString(row.unit)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (row.flaggedDifference) {
                item->setBackground(kFlaggedBackground);
                item->setToolTip(
                    text("The instrument differs from the PC by %1 %2: more than "
                         "%3 %2.",
                         "測定機の値はPCの値と %1 %2 異なります（許容差 %3 %2）。")
                        .arg(number(*row.flaggedDifference), QString::fromStdString(row.unit),
                             QString::number(agreementTolerance(*row.computed), 'g', kDecimals)));
            }
            table_->setItem(r, c, item);
        }
        if (const auto judged = verdicts_.find(row.name); row.computed && judged != verdicts_.end())
            markVerdict(*table_->item(r, 1), judged->second);
    }
    // As wide as its columns: the plots give way, the table never scrolls sideways.
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->resizeColumnsToContents();
    table_->setMinimumWidth(2 * table_->frameWidth() +
                            table_->verticalScrollBar()->sizeHint().width() +
                            table_->horizontalHeader()->length());
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setUpdatesEnabled(true);
}

void ResultsPanel::markVerdict(QTableWidgetItem& value,
                               const quality::ParameterVerdict& judged) const {
    const bool ng = judged.verdict == quality::Verdict::Ng;
    value.setForeground(ng ? kNgColour : kOkColour);
    QFont bold = value.font();
    bold.setBold(true);
    value.setFont(bold);
    const auto bound = [](const std::optional<double>& limit) {
        return limit ? number(*limit) : QString("-");
    };
    value.setToolTip(QString("%1: %2 .. %3 %4")
                         .arg(quality::verdictWord(judged.verdict), bound(judged.limit->low),
                              bound(judged.limit->high), QString::fromStdString(judged.unit)));
}

void ResultsPanel::setFieldNames(const QStringList& names) {
    fieldNames_.clear();
    for (const QString& name : names) fieldNames_.push_back(name.trimmed());
    while (!fieldNames_.isEmpty() && fieldNames_.back().isEmpty()) fieldNames_.removeLast();
    userSettings().setValue(kFieldNamesKey, fieldNames_);
    fillTable();
}

// Opened, not executed: the instrument session goes on under the dialog.
void ResultsPanel::editFieldNames() {
    auto* dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(nameFields_->text().remove("..."));
    dialog->setLabelText(
        text("The instrument's fields in their order, separated by commas\n"
             "(for example Ra, Rz1max, Rz, Rq, Rt, Rp, Rv, Rsk, Rku):",
             "測定機の項目の名前を順にカンマで区切って入力してください\n"
             "（例: Ra, Rz1max, Rz, Rq, Rt, Rp, Rv, Rsk, Rku）:"));
    dialog->setTextValue(fieldNames_.join(", "));
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QInputDialog::textValueSelected, this,
            [this](const QString& value) { setFieldNames(value.split(',')); });
    dialog->open();
}

void ResultsPanel::openDataFolder() {
    if (openFolder(QUrl::fromLocalFile(folder_)) || !showMessage) return;
    showMessage({text("No file manager could open the data folder. It is:\n%1",
                      "データフォルダを開けるファイルマネージャがありません。フォルダ:\n%1")
                     .arg(QDir::toNativeSeparators(folder_))
                     .toStdString(),
                 "KT-520", session::Icon::Information});
}

}  // namespace kt520::ui::desktop
