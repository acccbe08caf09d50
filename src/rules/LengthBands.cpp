#include "rules/LengthBands.h"

#include "rules/ShortNumber.h"

namespace kt520::rules {
namespace {

// Upper bounds of bands 1..4; each band is (previous bound, bound], band 1
// starts at its own lower limit and band 5 ends at the drive's travel.
constexpr double kMillimetreBounds[] = {0.5, 1.5, 5.0, 15.0};
constexpr double kInchBounds[] = {0.02, 0.05, 0.19, 0.59};

int bandWithin(double length, double lowest, const double (&bounds)[4], bool withinTravel) {
    if (length < lowest) return 0;
    for (int k = 0; k < 4; ++k)
        if (length <= bounds[k]) return k + 1;
    return withinTravel ? 5 : 0;
}

}  // namespace

int maxLengthInches(const link::ModelInfo& model) {
    return nearestEven16(static_cast<double>(model.driveRange) / 25.4);
}

int lengthBand(const conditions::ConditionState& state, const link::ModelInfo& model) {
    const double length = leadingNumber(state.lengthText);
    if (state.unit.is(conditions::Unit::Millimetre)) {
        // The travel limit is compared in single precision, so that a typed
        // "25.4" matches a 25.4 mm drive.
        const bool withinTravel = static_cast<float>(length) <= model.driveRange;
        return bandWithin(length, 0.1, kMillimetreBounds, withinTravel);
    }
    const bool withinTravel = length <= maxLengthInches(model);
    return bandWithin(length, 0.01, kInchBounds, withinTravel);
}

}  // namespace kt520::rules
