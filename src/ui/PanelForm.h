#pragma once
// The condition panel of the main form, filled from the panel's typed state:
// choices, offers, colours, the captions of the unit shown, frames, texts and
// the two shared flags. The form's own captions and hidden entries stay.
#include <optional>
#include <string>
#include <vector>

#include "conditions/Codes.h"
#include "conditions/ConditionState.h"
#include "ui/MainForm.h"

namespace kt520::ui {

void showPanel(const conditions::ConditionState& state, MainForm& form);

// The option group an option array of the form shows; none for any other array.
[[nodiscard]] std::optional<conditions::Item> itemOfArray(const MainForm& form,
                                                          const OptionArray& array);

// What an entry of an option array shows in millimetres and in inches, when
// its caption follows the unit (none otherwise), and what the unit label
// lblUnit(index) shows in each: a window keeps the room of the wider, so that
// nothing moves when the unit switches.
[[nodiscard]] std::vector<std::string> unitCaptions(const MainForm& form, const OptionArray& array,
                                                    int code);
[[nodiscard]] std::vector<std::string> unitLabelCaptions(int index);

}  // namespace kt520::ui
