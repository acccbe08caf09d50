#pragma once
// fomCARD, the memory-card dialog: window-modal over the main window while
// the card form says it is shown. It is opened, never executed, so nothing
// waits for it to close. The drive list on top, the folder shown under it,
// then the folders to go to (double click) beside the measurements there.
#include <QDialog>
#include <string>

class QLabel;

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
    QLabel* folderShown_ = nullptr;  // the folder the folder list is in
};

}  // namespace kt520::ui::desktop
