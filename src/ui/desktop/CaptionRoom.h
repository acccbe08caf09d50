#pragma once
// Keeps widgets as wide as the widest caption they may show, so that the
// columns of the condition panel stay where they are when the unit switches
// ("0.08" becomes "0.003", "mm" becomes "inch") or another entry is chosen
// (the chosen entry is bold).
#include <QString>
#include <vector>

class QWidget;

namespace kt520::ui::desktop {

class CaptionRoom {
  public:
    // An option button: room for each caption, and its own, regular and bold.
    void reserveButton(QWidget* button, std::vector<QString> captions);
    // A label: room for each caption in its font.
    void reserveLabel(QWidget* label, std::vector<QString> captions);

    // After a refresh: the fonts and the captions may have changed.
    void update();

  private:
    struct Entry {
        QWidget* widget;
        std::vector<QString> captions;
        bool bold;
        QString measuredFor;  // the font and caption the width was last measured for
    };
    std::vector<Entry> entries_;
};

}  // namespace kt520::ui::desktop
