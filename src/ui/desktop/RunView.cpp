#include "ui/desktop/RunView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "history/RunText.h"
#include "ui/desktop/HistoryTexts.h"
#include "ui/desktop/ResultsPanel.h"

namespace kt520::ui::desktop {

QString limitText(const quality::Limit& limit) {
    const auto side = [](const std::optional<double>& v) {
        return v ? QString::number(*v, 'g', 6) : QStringLiteral("-");
    };
    return QString("%1 .. %2 (%3)")
        .arg(side(limit.low), side(limit.high), quality::ruleName(limit.rule));
}

RunView::RunView(bool japanese, QWidget* parent) : QWidget(parent), japanese_(japanese) {
    panel_ = new ResultsPanel;
    panel_->setJapanese(japanese_);
    header_ = new QLabel;
    header_->setObjectName("runHeader");
    header_->setWordWrap(true);
    namedTitle_ = new QLabel;
    named_ = new QTableWidget(0, 4);
    named_->setObjectName("namedResults");
    named_->verticalHeader()->hide();
    named_->verticalHeader()->setDefaultSectionSize(named_->fontMetrics().height() + 6);
    named_->horizontalHeader()->setStretchLastSection(true);
    named_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    conditionsTitle_ = new QLabel;
    conditions_ = new QListWidget;
    conditions_->setObjectName("conditionListing");
    conditions_->setMaximumHeight(120);

    auto* side = new QVBoxLayout;
    side->addWidget(header_);
    side->addWidget(namedTitle_);
    side->addWidget(named_, 1);
    side->addWidget(conditionsTitle_);
    side->addWidget(conditions_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_, 3);
    layout->addLayout(side, 2);
    retitle();
}

void RunView::setJapanese(bool japanese) {
    japanese_ = japanese;
    panel_->setJapanese(japanese);
    retitle();
}

void RunView::retitle() {
    namedTitle_->setText(pick(japanese_, "Named results", "パラメータ"));
    conditionsTitle_->setText(pick(japanese_, "Conditions", "測定条件"));
    named_->setHorizontalHeaderLabels(
        {pick(japanese_, "Parameter", "パラメータ"), pick(japanese_, "Value", "値"),
         pick(japanese_, "Limits", "規格"), pick(japanese_, "Verdict", "判定")});
    if (shown_) show(*shown_);
}

void RunView::show(const history::StoredRun& run) {
    if (!shown_ || shown_->id != run.id) panel_->show(history::recordOf(run));
    shown_ = run;
    const auto s = [](const std::string& t) { return QString::fromStdString(t); };
    header_->setText(pick(japanese_, "No. %1  %2\nPart %3  Lot %4  Operator %5\n%6 %7  %8",
                          "番号 %1  %2\n部品 %3  ロット %4  測定者 %5\n%6 %7  %8")
                         .arg(run.id)
                         .arg(history::localTimeText(run.finishedAt), s(run.labels.part),
                              s(run.labels.lot), s(run.labels.operatorName), s(run.model),
                              s(run.firmware), quality::verdictWord(run.verdict.overall)));
    named_->setRowCount(static_cast<int>(run.verdict.parameters.size()));
    int row = 0;
    for (const quality::ParameterVerdict& p : run.verdict.parameters) {
        const QString value = p.value ? QString("%1 %2").arg(*p.value, 0, 'g', 6).arg(s(p.unit))
                                      : pick(japanese_, "missing", "なし");
        auto* verdict = new QTableWidgetItem(quality::verdictWord(p.verdict));
        if (p.verdict != quality::Verdict::NotJudged) {
            verdict->setBackground(p.verdict == quality::Verdict::Ng ? QColor(0xc6, 0x28, 0x28)
                                                                     : QColor(0x1b, 0x7f, 0x3b));
            verdict->setForeground(Qt::white);
        }
        named_->setItem(row, 0, new QTableWidgetItem(s(p.name)));
        named_->setItem(row, 1, new QTableWidgetItem(value));
        named_->setItem(row, 2, new QTableWidgetItem(p.limit ? limitText(*p.limit) : QString()));
        named_->setItem(row, 3, verdict);
        ++row;
    }
    named_->resizeColumnsToContents();
    conditions_->clear();
    for (const std::string& line : run.listing) conditions_->addItem(s(line));
}

}  // namespace kt520::ui::desktop
