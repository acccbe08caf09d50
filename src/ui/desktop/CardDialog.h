#pragma once
// fomCARD, the memory-card dialog, shown modally while its model says so.
#include <QDialog>

#include "ui/MainWindowModel.h"
#include "ui/desktop/ModelBinder.h"

namespace kt520::ui::desktop {

class CardDialog : public QDialog {
  public:
    CardDialog(CardDialogModel& model, ModelBinder& binder, ModelBinder::Dispatch dispatch,
               QWidget* parent);
    // Brings the dialog in line with the model: closes it once the model is no longer shown.
    void refresh();

  protected:
    // Escape and the title bar's close button count as CANCEL.
    void reject() override;

  private:
    CardDialogModel& model_;
    std::string shownCaption_;
    ModelBinder::Dispatch dispatch_;
};

}  // namespace kt520::ui::desktop
