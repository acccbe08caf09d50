#include "ui/desktop/DesktopOperator.h"

#include <QApplication>
#include <QMessageBox>

namespace kt520::ui::desktop {

void DesktopOperator::showMessage(const std::string& text, const std::string& title,
                                  lang::MessageIcon icon) {
    QMessageBox box(
        icon == lang::MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
        QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.exec();
}

void DesktopOperator::beep() {
    QApplication::beep();
}

}  // namespace kt520::ui::desktop
