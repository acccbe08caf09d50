#pragma once
// Reading the instrument's current conditions ("RDCON00") into a ConditionSet.
#include <string_view>

#include "conditions/ConditionLayout.h"
#include "conditions/ConditionSet.h"
#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/InstrumentLink.h"

namespace kt520::conditions {

// Asks the instrument for its conditions and cuts the reply. With no answer
// every field is empty. An inch sampling pitch that no table knows shows the
// internal-error box and ends the program (lang::ProgramEnded).
ConditionSet readConditions(link::InstrumentLink& link, const ConditionLayouts& layouts,
                            lang::Operator& op, const lang::MessageCatalog& catalog);

// The same from a reply already received: two leading characters, then the record.
ConditionSet conditionsFromReply(std::string_view reply, const ConditionLayouts& layouts,
                                 lang::Operator& op, const lang::MessageCatalog& catalog);

}  // namespace kt520::conditions
