#include "ui/desktop/CardDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt520::ui::desktop {

CardDialog::CardDialog(CardForm& form, ModelBinder& binder, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName("fomCARD");
    auto* places = new QFormLayout;
    places->addRow(binder.label(form.devDRIVE, "devDRIVE"));
    places->addRow(binder.label(form.dirFOLDER, "dirFOLDER"));
    places->addRow(binder.label(form.filLIST, "filLIST"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(binder.checkBox(form.chkKTM, "fomCARD.chkKTM"));
    buttons->addStretch();
    buttons->addWidget(binder.button(form.cmdREAD, "fomCARD.cmdREAD"));
    buttons->addWidget(binder.button(form.cmdCANCEL, "fomCARD.cmdCANCEL"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(places);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void CardDialog::refresh() {
    if (shownCaption_ != form_.caption) {
        shownCaption_ = form_.caption;
        setWindowTitle(QString::fromStdString(form_.caption));
    }
    if (!form_.shown && isVisible()) done(QDialog::Accepted);
}

void CardDialog::reject() {
    form_.cmdCANCEL.click();
    refresh();
}

}  // namespace kt520::ui::desktop
