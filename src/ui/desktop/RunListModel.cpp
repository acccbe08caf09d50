#include "ui/desktop/RunListModel.h"

#include <QBrush>
#include <QColor>

#include "history/RunText.h"
#include "ui/desktop/HistoryTexts.h"

namespace kt520::ui::desktop {
namespace {

enum Column { Id, Date, Part, Lot, Operator, Instrument, Verdict, Columns };

}  // namespace

void RunListModel::setRuns(std::vector<history::RunSummary> runs) {
    beginResetModel();
    runs_ = std::move(runs);
    endResetModel();
}

void RunListModel::setJapanese(bool japanese) {
    japanese_ = japanese;
    emit headerDataChanged(Qt::Horizontal, 0, Columns - 1);
}

int RunListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(runs_.size());
}

int RunListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant RunListModel::data(const QModelIndex& index, int role) const {
    const history::RunSummary& r = run(index.row());
    if (role == Qt::ForegroundRole && index.column() == Verdict)
        return QBrush(r.verdict == quality::Verdict::Ng ? QColor(0xc6, 0x28, 0x28)
                                                        : QColor(0x1b, 0x7f, 0x3b));
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Id:
            return QString::number(r.id);
        case Date:
            return history::localTimeText(r.finishedAt);
        case Part:
            return QString::fromStdString(r.part);
        case Lot:
            return QString::fromStdString(r.lot);
        case Operator:
            return QString::fromStdString(r.operatorName);
        case Instrument:
            return QString::fromStdString(r.model + " " + r.firmware);
        case Verdict:
            return QString(quality::verdictWord(r.verdict));
        default:
            return {};
    }
}

QVariant RunListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Id:
            return pick(japanese_, "No.", "番号");
        case Date:
            return pick(japanese_, "Date", "日時");
        case Part:
            return pick(japanese_, "Part", "部品");
        case Lot:
            return pick(japanese_, "Lot", "ロット");
        case Operator:
            return pick(japanese_, "Operator", "測定者");
        case Instrument:
            return pick(japanese_, "Instrument", "測定機");
        case Verdict:
            return pick(japanese_, "Verdict", "判定");
        default:
            return {};
    }
}

}  // namespace kt520::ui::desktop
