#include "ui/desktop/ModelBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <memory>
#include <optional>

#include "ui/desktop/QtColours.h"

namespace kt520::ui::desktop {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Disabled option text: readable on the dark blue, clearly not in force.
const QColor kDisabledOptionText(150, 150, 200);

template <typename T>
bool changed(std::optional<T>& last, const T& now) {
    if (last && *last == now) return false;
    last = now;
    return true;
}

}  // namespace

struct ModelBinder::Shown {
    std::optional<std::string> caption, toolTip, face;
    std::optional<bool> enabled, visible;
};

ModelBinder::ModelBinder(Dispatch dispatch, FontFamilyFor familyFor,
                         const std::string& windowFontName)
    : dispatch_(std::move(dispatch)),
      familyFor_(std::move(familyFor)),
      windowFontName_(windowFontName) {}

void ModelBinder::refresh() {
    for (auto& sync : syncers_) sync();
}

void ModelBinder::follow(QWidget* widget, const Control& control,
                         std::function<void(const QString&)> setCaption) {
    auto shown = std::make_shared<Shown>();
    syncers_.push_back([this, widget, &control, shown, setCaption = std::move(setCaption)] {
        if (setCaption && changed(shown->caption, control.caption)) setCaption(qs(control.caption));
        if (changed(shown->enabled, control.enabled)) widget->setEnabled(control.enabled);
        if (changed(shown->visible, control.visible)) widget->setVisible(control.visible);
        if (changed(shown->toolTip, control.toolTip)) widget->setToolTip(qs(control.toolTip));
        const std::string& face = control.fontName.empty() ? windowFontName_ : control.fontName;
        if (changed(shown->face, face)) {
            QFont font = widget->font();
            const QString family = familyFor_(face);
            if (family.isEmpty())
                font = QFont();
            else
                font.setFamilies({family});
            widget->setFont(font);
        }
    });
}

QGroupBox* ModelBinder::frame(Frame& frame, const QString& name) {
    auto* box = new QGroupBox;
    box->setObjectName(name);
    follow(box, frame, [box](const QString& text) { box->setTitle(text); });
    return box;
}

QLabel* ModelBinder::label(Label& label, const QString& name) {
    auto* widget = new QLabel;
    widget->setObjectName(name);
    follow(widget, label, [widget](const QString& text) { widget->setText(text); });
    auto fore = std::make_shared<std::optional<Colour>>();
    syncers_.push_back([widget, &label, fore] {
        if (!changed(*fore, label.foreColour)) return;
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, toQColor(label.foreColour, palette));
        widget->setPalette(palette);
    });
    return widget;
}

QPushButton* ModelBinder::button(CommandButton& button, const QString& name) {
    auto* widget = new QPushButton;
    widget->setObjectName(name);
    follow(widget, button, [widget](const QString& text) { widget->setText(text); });
    QObject::connect(widget, &QPushButton::pressed, widget,
                     [this, &button] { dispatch_([&button] { button.press(); }); });
    QObject::connect(widget, &QPushButton::released, widget,
                     [this, &button] { dispatch_([&button] { button.release(); }); });
    QObject::connect(widget, &QPushButton::clicked, widget,
                     [this, &button] { dispatch_([&button] { button.click(); }); });
    return widget;
}

QCheckBox* ModelBinder::checkBox(CheckBox& box, const QString& name) {
    auto* widget = new QCheckBox;
    widget->setObjectName(name);
    follow(widget, box, [widget](const QString& text) { widget->setText(text); });
    QObject::connect(widget, &QCheckBox::clicked, widget,
                     [this, &box] { dispatch_([&box] { box.click(); }); });
    auto checked = std::make_shared<std::optional<bool>>();
    syncers_.push_back([widget, &box, checked] {
        // The widget toggles itself on a click; the form has the last word.
        if (changed(*checked, box.checked) || widget->isChecked() != box.checked)
            widget->setChecked(box.checked);
    });
    return widget;
}

QLineEdit* ModelBinder::textBox(TextBox& box, const QString& name) {
    auto* widget = new QLineEdit;
    widget->setObjectName(name);
    follow(widget, box, nullptr);
    QObject::connect(widget, &QLineEdit::textEdited, widget, [this, &box](const QString& text) {
        dispatch_([&box, value = text.toStdString()] { box.type(value); });
    });
    // Enter, or the focus leaving the box: the entry is complete.
    QObject::connect(widget, &QLineEdit::editingFinished, widget,
                     [this, &box] { dispatch_([&box] { box.enter(); }); });
    auto text = std::make_shared<std::optional<std::string>>();
    auto colours = std::make_shared<std::optional<std::pair<Colour, Colour>>>();
    auto focus = std::make_shared<int>(box.focusRequests);
    syncers_.push_back([widget, &box, text, colours, focus] {
        if (changed(*text, box.text) && widget->text().toStdString() != box.text)
            widget->setText(qs(box.text));
        if (changed(*colours, std::pair{box.foreColour, box.backColour})) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::Text, toQColor(box.foreColour, palette));
            palette.setColor(QPalette::Base, toQColor(box.backColour, palette));
            widget->setPalette(palette);
        }
        if (*focus != box.focusRequests) {
            *focus = box.focusRequests;
            widget->setFocus();
            widget->setSelection(box.selStart, box.selLength);
        }
    });
    return widget;
}

QComboBox* ModelBinder::comboBox(ComboBox& box, const QString& name) {
    auto* widget = new QComboBox;
    widget->setObjectName(name);
    follow(widget, box, nullptr);
    QObject::connect(widget, &QComboBox::activated, widget,
                     [this, &box](int index) { dispatch_([&box, index] { box.choose(index); }); });
    auto items = std::make_shared<std::optional<std::vector<std::string>>>();
    auto text = std::make_shared<std::optional<std::string>>();
    syncers_.push_back([widget, &box, items, text] {
        const bool newItems = changed(*items, box.items);
        if (newItems) {
            widget->clear();
            for (const auto& item : box.items) widget->addItem(qs(item));
        }
        if (changed(*text, box.text) || newItems)
            widget->setCurrentIndex(widget->findText(qs(box.text)));
    });
    return widget;
}

QListWidget* ModelBinder::listBox(ListBox& box, const QString& name) {
    auto* widget = new QListWidget;
    widget->setObjectName(name);
    follow(widget, box, nullptr);
    auto shown = std::make_shared<std::vector<std::string>>();
    syncers_.push_back([widget, &box, shown] {
        if (*shown == box.items) return;
        // Lines are mostly appended while a run reports; add only the new ones then.
        const bool appended = shown->size() <= box.items.size() &&
                              std::equal(shown->begin(), shown->end(), box.items.begin());
        if (!appended) {
            widget->clear();
            shown->clear();
        }
        for (size_t i = shown->size(); i < box.items.size(); ++i) widget->addItem(qs(box.items[i]));
        *shown = box.items;
        widget->scrollToBottom();
    });
    return widget;
}

QListWidget* ModelBinder::pickList(ComboBox& box, const QString& name, bool onActivation) {
    auto* widget = new QListWidget;
    widget->setObjectName(name);
    follow(widget, box, nullptr);
    const auto pick = [this, &box](int row) {
        if (row >= 0) dispatch_([&box, row] { box.choose(row); });
    };
    if (onActivation)
        QObject::connect(widget, &QListWidget::itemActivated, widget,
                         [widget, pick](QListWidgetItem* item) { pick(widget->row(item)); });
    else
        QObject::connect(widget, &QListWidget::currentRowChanged, widget, pick);
    auto items = std::make_shared<std::optional<std::vector<std::string>>>();
    syncers_.push_back([widget, &box, items] {
        // What the form shows is no pick of the operator's.
        const QSignalBlocker quiet(widget);
        if (changed(*items, box.items)) {
            widget->clear();
            for (const auto& item : box.items) widget->addItem(qs(item));
        }
        const auto found = std::find(box.items.begin(), box.items.end(), box.text);
        const int row = found == box.items.end() ? -1 : static_cast<int>(found - box.items.begin());
        if (widget->currentRow() != row) widget->setCurrentRow(row);
    });
    return widget;
}

QProgressBar* ModelBinder::progressBar(ProgressBar& bar, const QString& name) {
    auto* widget = new QProgressBar;
    widget->setObjectName(name);
    follow(widget, bar, nullptr);
    syncers_.push_back([widget, &bar] {
        if (widget->minimum() != bar.min || widget->maximum() != bar.max)
            widget->setRange(bar.min, bar.max);
        if (widget->value() == bar.value) return;
        // setValue() repaints the bar at once, and with it the window; an
        // ordinary update is painted with the rest of the changes instead.
        widget->setUpdatesEnabled(false);
        widget->setValue(bar.value);
        widget->setUpdatesEnabled(true);
        widget->update();
    });
    return widget;
}

QWidget* ModelBinder::options(OptionArray& array, const std::vector<int>& order, int columns) {
    auto* panel = new QWidget;
    panel->setObjectName(qs(array.name()));
    panel->setAutoFillBackground(true);
    QPalette background = panel->palette();
    background.setColor(QPalette::Window, toQColor(kOptionBackground, background));
    panel->setPalette(background);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(2);
    int slot = 0;
    for (int index : order) {
        OptionButton& entry = array[index];
        auto* radio = new QRadioButton;
        radio->setObjectName(qs(array.name() + "(" + std::to_string(index) + ")"));
        radio->setAutoExclusive(false);  // the array decides which entry is selected
        radio->setAutoFillBackground(true);
        grid->addWidget(radio, slot / columns, slot % columns);
        ++slot;
        follow(radio, entry, [radio](const QString& text) { radio->setText(text); });
        QObject::connect(radio, &QRadioButton::clicked, radio, [this, &array, index] {
            dispatch_([&array, index] { array.click(index); });
        });
        auto colours = std::make_shared<std::optional<std::pair<Colour, Colour>>>();
        syncers_.push_back([radio, &entry, colours] {
            if (radio->isChecked() != entry.selected) radio->setChecked(entry.selected);
            // Red on dark blue reads poorly in a thin face: the chosen entry is bold too.
            if (radio->font().bold() != entry.selected) {
                QFont font = radio->font();
                font.setBold(entry.selected);
                radio->setFont(font);
            }
            if (!changed(*colours, std::pair{entry.foreColour, entry.backColour})) return;
            QPalette palette = radio->palette();
            const QColor fore = toQColor(entry.foreColour, palette);
            palette.setColor(QPalette::Active, QPalette::WindowText, fore);
            palette.setColor(QPalette::Inactive, QPalette::WindowText, fore);
            palette.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledOptionText);
            // Buttons fill their background with the Button role.
            const QColor back = toQColor(entry.backColour, palette);
            palette.setColor(QPalette::Window, back);
            palette.setColor(QPalette::Button, back);
            radio->setPalette(palette);
        });
    }
    return panel;
}

}  // namespace kt520::ui::desktop
