#include "ui/desktop/QtColours.h"

namespace kt520::ui::desktop {
namespace {

// The system colours the program uses, by their numbers, as palette roles.
QPalette::ColorRole systemRole(unsigned n) {
    switch (n) {
        case 1:
            return QPalette::Window;  // desktop
        case 5:
            return QPalette::Base;  // window background
        case 8:
            return QPalette::Text;  // window text
        case 13:
            return QPalette::Highlight;  // highlight
        case 14:
            return QPalette::HighlightedText;  // highlight text
        case 15:
            return QPalette::Button;  // button face
        case 17:
            return QPalette::PlaceholderText;  // grey text
        case 18:
            return QPalette::ButtonText;  // button text
        case 23:
            return QPalette::ToolTipText;  // tool tip text
        case 24:
            return QPalette::ToolTipBase;  // tool tip background
        default:
            return QPalette::WindowText;
    }
}

}  // namespace

QColor toQColor(Colour colour, const QPalette& palette) {
    if (isSystemColour(colour)) return palette.color(QPalette::Active, systemRole(colour & 0xFFu));
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

}  // namespace kt520::ui::desktop
