#include "ui/desktop/MessageBoxes.h"

#include <QMessageBox>

namespace kt520::ui::desktop {

void MessageBoxes::show(const session::Message& message) {
    waiting_.push_back(message);
    if (current_.isNull()) showNext();
}

void MessageBoxes::showNext() {
    if (waiting_.empty()) {
        if (onAllAcknowledged) onAllAcknowledged();
        return;
    }
    const session::Message message = waiting_.front();
    waiting_.pop_front();
    auto* box = new QMessageBox(
        message.icon == session::Icon::Stop ? QMessageBox::Critical : QMessageBox::Information,
        QString::fromStdString(message.title), QString::fromStdString(message.text),
        QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The operator may copy what a message says (a folder's path, a reason).
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QObject::connect(box, &QMessageBox::finished, box, [this, box] {
        if (current_ != box) return;
        current_ = nullptr;
        showNext();
    });
    current_ = box;
    box->open();
}

}  // namespace kt520::ui::desktop
