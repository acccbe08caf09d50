#pragma once
// The history windows' own texts in English and Japanese.
#include <QString>

namespace kt520::ui::desktop {

inline QString pick(bool japanese, const char* english, const char* japaneseText) {
    return QString::fromUtf8(japanese ? japaneseText : english);
}

}  // namespace kt520::ui::desktop
