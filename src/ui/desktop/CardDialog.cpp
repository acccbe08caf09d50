#include "ui/desktop/CardDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt520::ui::desktop {

CardDialog::CardDialog(CardDialogModel& model, ModelBinder& binder, ModelBinder::Dispatch dispatch,
                       QWidget* parent)
    : QDialog(parent), model_(model), dispatch_(std::move(dispatch)) {
    setObjectName("fomCARD");
    auto* places = new QFormLayout;
    places->addRow(binder.label(model.devDRIVE, "devDRIVE"));
    places->addRow(binder.label(model.dirFOLDER, "dirFOLDER"));
    places->addRow(binder.label(model.filLIST, "filLIST"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(binder.checkBox(model.chkKTM, "fomCARD.chkKTM"));
    buttons->addStretch();
    buttons->addWidget(binder.button(model.cmdREAD, "fomCARD.cmdREAD"));
    buttons->addWidget(binder.button(model.cmdCANCEL, "fomCARD.cmdCANCEL"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(places);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void CardDialog::refresh() {
    if (shownCaption_ != model_.caption) {
        shownCaption_ = model_.caption;
        setWindowTitle(QString::fromStdString(model_.caption));
    }
    if (!model_.shown && isVisible()) accept();
}

void CardDialog::reject() {
    if (model_.shown) dispatch_([this] { model_.cmdCANCEL.click(); });
    // A dialog nobody can close would lock the main window: close it regardless.
    model_.shown = false;
    QDialog::reject();
}

}  // namespace kt520::ui::desktop
