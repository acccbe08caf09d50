#include "ui/desktop/CardDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt520::ui::desktop {

CardDialog::CardDialog(CardForm& form, ModelBinder& binder, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName("fomCARD");
    folderShown_ = new QLabel;
    folderShown_->setObjectName("dirFOLDER.path");
    folderShown_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QListWidget* folders = binder.pickList(form.dirFOLDER, "dirFOLDER", true);
    QListWidget* files = binder.pickList(form.filLIST, "filLIST", false);
    // A double click on a measurement reads it, as READ does.
    connect(files, &QListWidget::itemActivated, this, [this] {
        form_.cmdREAD.click();
        refresh();
    });

    auto* places = new QGridLayout;
    places->addWidget(binder.comboBox(form.devDRIVE, "devDRIVE"), 0, 0, 1, 2);
    places->addWidget(folderShown_, 1, 0, 1, 2);
    places->addWidget(folders, 2, 0);
    places->addWidget(files, 2, 1);
    places->setRowStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(binder.checkBox(form.chkKTM, "fomCARD.chkKTM"));
    buttons->addStretch();
    buttons->addWidget(binder.button(form.cmdREAD, "fomCARD.cmdREAD"));
    buttons->addWidget(binder.button(form.cmdCANCEL, "fomCARD.cmdCANCEL"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(places, 1);
    layout->addLayout(buttons);
    resize(560, 420);
}

void CardDialog::refresh() {
    if (shownCaption_ != form_.caption) {
        shownCaption_ = form_.caption;
        setWindowTitle(QString::fromStdString(form_.caption));
    }
    folderShown_->setText(QString::fromStdString(form_.dirFOLDER.text));
    if (!form_.shown && isVisible()) done(QDialog::Accepted);
}

void CardDialog::reject() {
    form_.cmdCANCEL.click();
    refresh();
}

}  // namespace kt520::ui::desktop
