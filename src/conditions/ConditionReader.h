#pragma once
// Reading the instrument's current conditions ("RDCON00") into a ConditionSet.
#include <string_view>

#include "conditions/ConditionLayout.h"
#include "conditions/ConditionSet.h"

namespace kt520::conditions {

// Cuts the instrument's answer to "RDCON00" (two leading characters, then the
// record) into a ConditionSet; an empty answer gives empty fields. An inch
// record has its evaluation length converted to millimetres and its sampling
// pitch to micrometres; an inch pitch that no table knows is an internal
// fault (lang::failInternal).
ConditionSet conditionsFromReply(std::string_view reply, const ConditionLayouts& layouts);

// Cuts a card file's condition record (layouts.card, no leading characters)
// the same way. A card may hold "A" as the range (item 6): it stands for "5".
ConditionSet conditionsFromCardRecord(std::string_view record, const ConditionLayouts& layouts);

}  // namespace kt520::conditions
