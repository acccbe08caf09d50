#include "ui/desktop/CaptionRoom.h"

#include <QAbstractButton>
#include <QLabel>
#include <algorithm>

namespace kt520::ui::desktop {
namespace {

QString shownText(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    return {};
}

void setShownText(QWidget* widget, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
}

}  // namespace

void CaptionRoom::reserveButton(QWidget* button, std::vector<QString> captions) {
    entries_.push_back({button, std::move(captions), true, {}});
}

void CaptionRoom::reserveLabel(QWidget* label, std::vector<QString> captions) {
    entries_.push_back({label, std::move(captions), false, {}});
}

// The widget is asked for its size with each caption in the regular and, for
// an option button, the bold face (the chosen entry is bold), and then shows
// what it showed before: its room does not depend on which entry is chosen now.
void CaptionRoom::update() {
    for (Entry& entry : entries_) {
        QWidget* widget = entry.widget;
        const QString text = shownText(widget);
        const QFont font = widget->font();
        if (font.key() + QChar('\n') + text == entry.measuredFor) continue;
        std::vector<QString> captions = entry.captions;
        captions.push_back(text);
        int widest = 0;
        for (const bool bold : {false, true}) {
            if (bold && !entry.bold) continue;
            QFont face = font;
            face.setBold(bold);
            widget->setFont(face);
            for (const QString& caption : captions) {
                setShownText(widget, caption);
                widest = std::max(widest, widget->sizeHint().width());
            }
        }
        widget->setFont(font);
        setShownText(widget, text);
        widget->setMinimumWidth(widest);
        entry.measuredFor = widget->font().key() + QChar('\n') + text;
    }
}

}  // namespace kt520::ui::desktop
