#pragma once
// Enabling runs of option entries. Only entries the array really has are
// touched, so a range may span its gaps (optMTA has no entry 1).
#include "ui/Controls.h"

namespace kt520::rules {

inline void enableRange(ui::OptionArray& array, int from, int to, bool enabled) {
    for (int i : array.indexes())
        if (i >= from && i <= to) array[i].enabled = enabled;
}

inline void enableAll(ui::OptionArray& array, bool enabled) {
    enableRange(array, array.first(), array.last(), enabled);
}

// Index of the last selected entry from `from` upward, 0 when none is.
inline int selectedOrZero(const ui::OptionArray& array, int from) {
    const int index = array.selectedFrom(from);
    return index < 0 ? 0 : index;
}

}  // namespace kt520::rules
