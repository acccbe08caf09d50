#pragma once
// The evaluation-length bands that tie an arbitrary length ("L") to its
// cut-off: band k (1..5) belongs to cut-off k and, for the waviness profile,
// to the fl entry k-1.
#include "conditions/ConditionState.h"
#include "link/ModelInfo.h"

namespace kt520::rules {

// The longest length in inches: the drive's travel over 25.4, to the nearest
// whole inch (half to even).
int maxLengthInches(const link::ModelInfo& model);

// The band of the typed evaluation length, read in the unit chosen: 1..5, or
// 0 when the length is in no band (too short, too long, not a number).
int lengthBand(const conditions::ConditionState& state, const link::ModelInfo& model);

}  // namespace kt520::rules
