#pragma once
// The operator side of the desktop: message boxes over the main window, the
// system beep, and the end of the program, which the window carries out once
// the current action has unwound.
#include "lang/Operator.h"

class QWidget;

namespace kt520::ui::desktop {

class DesktopOperator : public lang::Operator {
  public:
    explicit DesktopOperator(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const std::string& text, const std::string& title,
                     lang::MessageIcon icon) override;
    void beep() override;
    // Nothing to do here: the lang::ProgramEnded that follows reaches the
    // window's event dispatch, which closes the window once the action unwound.
    void endProgram() override {}

  private:
    QWidget* parent_;
};

}  // namespace kt520::ui::desktop
