#pragma once
// The models' colours (0x00BBGGRR, or 0x80000000 | n for system colour n) as
// Qt colours, system colours taken from the widget's palette.
#include <QColor>
#include <QPalette>

#include "ui/Colours.h"

namespace kt520::ui::desktop {

QColor toQColor(Colour colour, const QPalette& palette);

}  // namespace kt520::ui::desktop
