#pragma once
// The condition panel of the main form, filled from the panel's typed state:
// choices, offers, colours, the captions of the unit shown, frames, texts and
// the two shared flags. The form's own captions and hidden entries stay.
#include <optional>

#include "conditions/Codes.h"
#include "conditions/ConditionState.h"
#include "ui/MainForm.h"

namespace kt520::ui {

void showPanel(const conditions::ConditionState& state, MainForm& form);

// The option group an option array of the form shows; none for any other array.
[[nodiscard]] std::optional<conditions::Item> itemOfArray(const MainForm& form,
                                                          const OptionArray& array);

}  // namespace kt520::ui
