#pragma once
// The three sets of speeds the rules offer; shared by the speed table and
// the length rule.
#include "conditions/ConditionPanel.h"

namespace kt520::rules {

// Slow: 0.05 and 0.1 mm/s; Mid: also 0.5; All: also 1 mm/s.
enum class SpeedSet { Slow, Mid, All };

// Offers `set` (0.05 and 0.1 keep what they have), moves a chosen speed
// (`chosen`, its code) above the set down to the set's fastest, and sets the
// speed suffix.
void offerSpeeds(conditions::ConditionPanel& panel, SpeedSet set, int chosen);

}  // namespace kt520::rules
