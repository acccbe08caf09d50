#pragma once
// The program's message boxes over the window, one at a time: a message that
// comes while another is showing waits its turn, in order. Each box is opened,
// not executed: nothing waits for the operator to acknowledge it, and the
// instrument session goes on under it.
#include <QMessageBox>
#include <QPointer>
#include <deque>
#include <functional>

#include "session/SessionObserver.h"

class QWidget;

namespace kt520::ui::desktop {

class MessageBoxes {
  public:
    explicit MessageBoxes(QWidget* parent) : parent_(parent) {}

    void show(const session::Message& message);
    // A box is open, or a message waits for one.
    bool pending() const { return !current_.isNull() || !waiting_.empty(); }
    // The box on screen, if any.
    QMessageBox* current() const { return current_; }

    // Called each time the last pending box has been acknowledged.
    std::function<void()> onAllAcknowledged;

  private:
    void showNext();

    QWidget* parent_;
    std::deque<session::Message> waiting_;
    QPointer<QMessageBox> current_;
};

}  // namespace kt520::ui::desktop
