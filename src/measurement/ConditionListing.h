#pragma once
// The condition listing: one readable line per condition item, added after
// the condition fields in "Condition.csv". Lengths and heights are written in
// the unit the conditions were measured in (millimetre form or inch form):
//
//   CUT 0.8mm      cut-off              CUT 0.03inch
//   SCT 5          sampling lengths N   SCT L 0.5inch (arbitrary length)
//   CUV R          profile
//   FLT 2CR        filter
//   STD ISO 1997   standard
//   RNG 80um       range                RNG 3200uinch
//   STP 0.50um     sampling pitch       STP 19.7uinch
//   UNT mm         unit                 UNT inch
//   LNG English    language of the program
#include <string>
#include <vector>

#include "conditions/ConditionLayout.h"
#include "conditions/ConditionSet.h"
#include "lang/MessageCatalog.h"
#include "lang/Operator.h"

namespace kt520::measurement {

struct ListingSource {
    const conditions::ConditionSet& conditions;
    const conditions::ItemFieldMap& items;
    int romVersion;  // from 1311 on the third standard is "VDA"
    std::string languageCode;
};

// A code the listing does not know shows the internal-error box and ends the
// program; a sampling-length code without a line shows "After origin move,
// ..." followed by "No.1" and ends it too (lang::ProgramEnded).
std::vector<std::string> conditionListingLines(const ListingSource& source, lang::Operator& op,
                                               const lang::MessageCatalog& catalog);

}  // namespace kt520::measurement
