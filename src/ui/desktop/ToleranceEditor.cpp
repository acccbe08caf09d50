#include "ui/desktop/ToleranceEditor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "ui/desktop/HistoryTexts.h"

namespace kt520::ui::desktop {
namespace {

enum Column { Part, Parameter, Low, High, MaxRule, Columns };

QString limitCell(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 10) : QString();
}

}  // namespace

ToleranceEditor::ToleranceEditor(history::History& history, bool japanese, QWidget* parent)
    : QWidget(parent), history_(history), japanese_(japanese) {
    table_ = new QTableWidget(0, Columns);
    table_->setObjectName("toleranceTable");
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    add_ = new QPushButton;
    add_->setObjectName("addToleranceButton");
    remove_ = new QPushButton;
    remove_->setObjectName("removeToleranceButton");
    apply_ = new QPushButton;
    apply_->setObjectName("applyTolerancesButton");
    problem_ = new QLabel;
    problem_->setObjectName("toleranceProblem");
    problem_->setStyleSheet("QLabel { color: #c62828; }");
    problem_->setWordWrap(true);
    connect(add_, &QPushButton::clicked, this, [this] {
        addRow({});
        table_->setCurrentCell(table_->rowCount() - 1, Part);
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() >= 0) table_->removeRow(table_->currentRow());
    });
    connect(apply_, &QPushButton::clicked, this, [this] { (void)apply(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    buttons->addWidget(apply_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(problem_);
    layout->addLayout(buttons);
    retitle();
    fill();
}

void ToleranceEditor::setJapanese(bool japanese) {
    japanese_ = japanese;
    retitle();
}

void ToleranceEditor::retitle() {
    table_->setHorizontalHeaderLabels(
        {pick(japanese_, "Part", "部品"), pick(japanese_, "Parameter", "パラメータ"),
         pick(japanese_, "Lower limit", "下限"), pick(japanese_, "Upper limit", "上限"),
         pick(japanese_, "Max rule", "最大値規則")});
    add_->setText(pick(japanese_, "Add", "追加"));
    remove_->setText(pick(japanese_, "Remove", "削除"));
    apply_->setText(pick(japanese_, "Apply", "適用"));
}

void ToleranceEditor::reload(std::function<void()> done) {
    history_.reloadTolerances([this, done = std::move(done)] {
        fill();
        if (done) done();
    });
}

void ToleranceEditor::fill() {
    table_->setRowCount(0);
    for (const quality::Tolerance& tolerance : history_.tolerances()) addRow(tolerance);
    problem_->clear();
}

void ToleranceEditor::addRow(const quality::Tolerance& tolerance) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, Part, new QTableWidgetItem(QString::fromStdString(tolerance.part)));
    table_->setItem(row, Parameter,
                    new QTableWidgetItem(QString::fromStdString(tolerance.parameter)));
    table_->setItem(row, Low, new QTableWidgetItem(limitCell(tolerance.limit.low)));
    table_->setItem(row, High, new QTableWidgetItem(limitCell(tolerance.limit.high)));
    auto* rule = new QTableWidgetItem;
    rule->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    rule->setCheckState(tolerance.limit.rule == quality::Rule::Max ? Qt::Checked : Qt::Unchecked);
    table_->setItem(row, MaxRule, rule);
}

bool ToleranceEditor::apply() {
    std::vector<quality::Tolerance> rows;
    const auto cell = [&](int row, int column) {
        const QTableWidgetItem* item = table_->item(row, column);
        return item ? item->text().trimmed() : QString();
    };
    const auto refuse = [&](int row, const QString& why) {
        problem_->setText(pick(japanese_, "Row %1: %2", "%1 行目: %2").arg(row + 1).arg(why));
        return false;
    };
    for (int row = 0; row < table_->rowCount(); ++row) {
        quality::Tolerance t{cell(row, Part).toStdString(), cell(row, Parameter).toStdString(), {}};
        if (t.part.empty() || t.parameter.empty())
            return refuse(row, pick(japanese_, "a part and a parameter are needed",
                                    "部品とパラメータを入力してください"));
        for (const auto& [column, limit] :
             {std::pair{Low, &t.limit.low}, std::pair{High, &t.limit.high}}) {
            const QString text = cell(row, column);
            if (text.isEmpty()) continue;
            bool ok = false;
            const double value = text.toDouble(&ok);
            if (!ok)
                return refuse(
                    row, pick(japanese_, "\"%1\" is not a number", "「%1」は数値ではありません")
                             .arg(text));
            *limit = value;
        }
        if (!t.limit.low && !t.limit.high)
            return refuse(row, pick(japanese_, "give a lower or an upper limit",
                                    "下限または上限を入力してください"));
        if (t.limit.low && t.limit.high && *t.limit.low > *t.limit.high)
            return refuse(row, pick(japanese_, "the lower limit is above the upper limit",
                                    "下限が上限を超えています"));
        const QTableWidgetItem* rule = table_->item(row, MaxRule);
        t.limit.rule = rule && rule->checkState() == Qt::Checked ? quality::Rule::Max
                                                                 : quality::Rule::SixteenPercent;
        rows.push_back(std::move(t));
    }
    std::set<std::pair<std::string, std::string>> kept;
    for (const quality::Tolerance& t : rows) kept.emplace(t.part, t.parameter);
    const std::vector<quality::Tolerance> before = history_.tolerances();
    for (const quality::Tolerance& t : before)
        if (!kept.count({t.part, t.parameter})) history_.removeTolerance(t.part, t.parameter);
    for (const quality::Tolerance& t : rows)
        if (std::find(before.begin(), before.end(), t) == before.end()) history_.setTolerance(t);
    problem_->clear();
    return true;
}

}  // namespace kt520::ui::desktop
