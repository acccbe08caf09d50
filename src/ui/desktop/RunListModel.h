#pragma once
// The list of stored runs as a table model: date, part, lot, operator,
// instrument and verdict (in colour), newest first as the history gives them.
#include <QAbstractTableModel>
#include <vector>

#include "history/StoredRun.h"

namespace kt520::ui::desktop {

class RunListModel : public QAbstractTableModel {
  public:
    explicit RunListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setRuns(std::vector<history::RunSummary> runs);
    void setJapanese(bool japanese);
    const history::RunSummary& run(int row) const { return runs_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<history::RunSummary> runs_;
    bool japanese_ = false;
};

}  // namespace kt520::ui::desktop
