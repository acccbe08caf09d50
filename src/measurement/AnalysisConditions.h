#pragma once
// The conditions of a run as the profile analysis needs them, read from the
// condition record the run read back.
#include "analysis/RunConditions.h"
#include "conditions/ConditionLayout.h"
#include "conditions/ConditionSet.h"

namespace kt520::measurement {

// Lengths in millimetres and the pitch in micrometres whatever the record's
// unit (the reader has converted an inch record's length and pitch); a code
// the record does not carry leaves the analysis default.
analysis::RunConditions analysisConditions(const conditions::ConditionSet& set,
                                           const conditions::ItemFieldMap& items);

}  // namespace kt520::measurement
