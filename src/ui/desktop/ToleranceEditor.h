#pragma once
// The tolerances of every part: one row a part and parameter, with a lower
// and/or an upper limit (empty for none) and whether the max rule applies.
// Edits take effect with Apply, all rows checked first: a row that is not
// right is named and nothing changes.
#include <QWidget>

#include "history/History.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kt520::ui::desktop {

class ToleranceEditor : public QWidget {
  public:
    ToleranceEditor(history::History& history, bool japanese, QWidget* parent = nullptr);

    // Shows the tolerances as the database holds them now.
    void reload(std::function<void()> done = {});
    void setJapanese(bool japanese);
    // Checks every row and hands the changes to the history; false (and
    // the reason shown) when a row is not right.
    bool apply();

    QTableWidget* table() const { return table_; }
    QLabel* problem() const { return problem_; }

  private:
    void fill();
    void addRow(const quality::Tolerance& tolerance);
    void retitle();

    history::History& history_;
    bool japanese_;
    QTableWidget* table_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* apply_;
    QLabel* problem_;
};

}  // namespace kt520::ui::desktop
