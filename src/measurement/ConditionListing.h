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

namespace kt520::measurement {

struct ListingSource {
    const conditions::ConditionSet& conditions;
    const conditions::ItemFieldMap& items;
    int romVersion;  // from 1311 on the third standard is "VDA"
    std::string languageCode;
};

// A code the listing does not know, and a sampling-length code it has no line
// for, are internal faults (lang::failInternal, No.17 and No.1).
std::vector<std::string> conditionListingLines(const ListingSource& source);

}  // namespace kt520::measurement
