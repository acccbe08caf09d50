#pragma once
// fomCARD, the memory-card dialog: window-modal over the main window while
// the card form says it is shown. It is opened, never executed, so nothing
// waits for it to close.
#include <QDialog>
#include <string>

#include "ui/MainForm.h"
#include "ui/desktop/ModelBinder.h"

namespace kt520::ui::desktop {

class CardDialog : public QDialog {
  public:
    CardDialog(CardForm& form, ModelBinder& binder, QWidget* parent);
    // Brings the dialog in line with the form: closes it once the form is no longer shown.
    void refresh();

  protected:
    // Escape and the title bar's close button are CANCEL: the form decides.
    void reject() override;

  private:
    CardForm& form_;
    std::string shownCaption_;
};

}  // namespace kt520::ui::desktop
