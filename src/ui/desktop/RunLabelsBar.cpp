#include "ui/desktop/RunLabelsBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/desktop/HistoryDialog.h"
#include "ui/desktop/HistoryTexts.h"

namespace kt520::ui::desktop {

QString acceptanceText(const quality::InspectionStep& step, bool japanese) {
    if (!step.overall) return {};
    switch (*step.overall) {
        case quality::Acceptance::Accepted:
            return pick(japanese, "part accepted (%1 traces)", "部品合格（%1 回）").arg(step.trace);
        case quality::Acceptance::Rejected:
            return pick(japanese, "part rejected (%1 traces)", "部品不合格（%1 回）")
                .arg(step.trace);
        case quality::Acceptance::AnotherTrace:
            break;
    }
    int more = 0;
    for (const auto& p : step.parameters) more = std::max(more, p.outcome.tracesToDecide);
    return pick(japanese, "trace %1: measure again (%2 more)", "%1 回目: 追加測定（あと %2 回）")
        .arg(step.trace)
        .arg(more);
}

RunLabelsBar::RunLabelsBar(app::RunKeeper& keeper, std::string dataFolder, QWidget* parent)
    : QToolBar(parent), keeper_(keeper), dataFolder_(std::move(dataFolder)) {
    setObjectName("runLabelsBar");
    setMovable(false);
    auto* strip = new QWidget;
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(4, 0, 4, 0);
    const auto field = [&](QLabel*& title, QLineEdit*& edit, const char* name) {
        title = new QLabel;
        edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setMaximumWidth(130);
        layout->addWidget(title);
        layout->addWidget(edit);
        connect(edit, &QLineEdit::textChanged, this, [this] {
            keeper_.setLabels({part_->text().trimmed().toStdString(),
                               lot_->text().trimmed().toStdString(),
                               operator_->text().trimmed().toStdString()});
        });
    };
    field(partTitle_, part_, "partEdit");
    field(lotTitle_, lot_, "lotEdit");
    field(operatorTitle_, operator_, "operatorEdit");
    verdict_ = new QLabel;
    verdict_->setObjectName("verdictLabel");
    verdict_->setMinimumWidth(40);
    verdict_->setAlignment(Qt::AlignCenter);
    acceptance_ = new QLabel;
    acceptance_->setObjectName("acceptanceLabel");
    layout->addSpacing(8);
    layout->addWidget(verdict_);
    layout->addWidget(acceptance_, 1);
    open_ = new QPushButton;
    open_->setObjectName("historyButton");
    connect(open_, &QPushButton::clicked, this, [this] { openHistory(); });
    layout->addWidget(open_);
    addWidget(strip);
    retitle();
}

void RunLabelsBar::setJapanese(bool japanese) {
    if (japanese_ == japanese) return;
    japanese_ = japanese;
    retitle();
}

void RunLabelsBar::retitle() {
    partTitle_->setText(pick(japanese_, "Part", "部品"));
    lotTitle_->setText(pick(japanese_, "Lot", "ロット"));
    operatorTitle_->setText(pick(japanese_, "Operator", "測定者"));
    open_->setText(pick(japanese_, "History...", "履歴..."));
    if (shown_) showJudgement(*shown_);
}

void RunLabelsBar::showJudgement(const quality::RunJudgement& judgement) {
    shown_ = judgement;
    const bool ng = judgement.verdict.overall == quality::Verdict::Ng;
    verdict_->setText(quality::verdictWord(judgement.verdict.overall));
    verdict_->setStyleSheet(QString("QLabel { color: white; font-weight: bold; padding: 2px 8px;"
                                    " background: %1; }")
                                .arg(ng ? "#c62828" : "#1b7f3b"));
    QStringList beyond;
    for (const quality::ParameterVerdict& p : judgement.verdict.parameters)
        if (p.verdict == quality::Verdict::Ng) beyond << QString::fromStdString(p.name);
    QString text = acceptanceText(judgement.acceptance, japanese_);
    if (!beyond.isEmpty()) text = beyond.join(", ") + (text.isEmpty() ? "" : "; ") + text;
    acceptance_->setText(text);
}

void RunLabelsBar::runStored() {
    if (dialog_ && dialog_->isVisible()) dialog_->refreshRuns();
}

void RunLabelsBar::openHistory() {
    if (dialog_ == nullptr) dialog_ = new HistoryDialog(keeper_, dataFolder_, japanese_, window());
    dialog_->setJapanese(japanese_);
    dialog_->refreshRuns();
    dialog_->show();
    dialog_->raise();
}

}  // namespace kt520::ui::desktop
