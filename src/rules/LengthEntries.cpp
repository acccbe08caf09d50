// The typed lengths: converted between mm and inch when the unit switches,
// and the evaluation length checked before a measurement starts.
#include <algorithm>
#include <string>

#include "rules/ConditionRules.h"
#include "rules/LengthBands.h"
#include "rules/ShortNumber.h"

namespace kt520::rules {
namespace {

using conditions::Unit;

constexpr double kInchPerMillimetre = 0.03937;

struct MotifLengthRange {
    double minMillimetres;
    double maxMillimetres;
    double minInches;
    double maxInches;
    int millimetreDecimals;
};

constexpr MotifLengthRange kMotifRanges[] = {
    {0.3, 0.64, 0.012, 0.025, 2},
    {0.7, 3.2, 0.028, 0.126, 1},
    {3.3, 16.0, 0.13, 0.63, 2},
    {16.1, 50.8, 0.64, 2.0, 2},
};

double scaleOf(int decimals) {
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i) scale *= 10.0;
    return scale;
}

// The value in the unit switched to, rounded to `decimals` places half to even.
double converted(double value, Unit to, int decimals) {
    const double scale = scaleOf(decimals);
    const double raw = to == Unit::Inch ? value * kInchPerMillimetre : value / kInchPerMillimetre;
    return nearestEven16(raw * scale) / scale;
}

}  // namespace

void ConditionRules::convertLengthEntry(Unit unit) {
    const link::ModelInfo& model = panel_.model();
    const double length = leadingNumber(state().lengthText);
    std::string text;
    if (unit == Unit::Inch) {
        const double inches = std::max(converted(length, unit, 2), 0.01);
        const int longest = maxLengthInches(model);
        text = inches > longest ? shortNumber(static_cast<double>(longest)) : shortNumber(inches);
    } else {
        const double millimetres = std::max(converted(length, unit, 1), 0.1);
        // The drive's travel is written as the single-precision number it is
        // (25.4, not 25.399999618...).
        text = millimetres > model.driveRange ? shortNumber(model.driveRange)
                                              : shortNumber(millimetres);
    }
    state().lengthText = text;
}

void ConditionRules::convertMotifLengths(Unit unit) {
    for (std::size_t k = 0; k < 4; ++k) {
        const MotifLengthRange& range = kMotifRanges[k];
        std::string& text = state().motifLengthTexts[k];
        const double value = leadingNumber(text);
        // Box 3 in mm never falls below 3.3, so its leading zero never shows;
        // the separator is "." like every number text of the program.
        const double length =
            unit == Unit::Inch
                ? std::clamp(converted(value, unit, 3), range.minInches, range.maxInches)
                : std::clamp(converted(value, unit, range.millimetreDecimals), range.minMillimetres,
                             range.maxMillimetres);
        text = shortNumber(length);
    }
}

int ConditionRules::checkLengthEntry() {
    const std::string& text = state().lengthText;
    const link::ModelInfo& model = panel_.model();
    const double length = leadingNumber(text);
    const std::size_t point = text.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;

    // The two tests are separate: a length may fail both, and each finding is
    // signalled on its own.
    int findings = 0;
    if (state().unit.is(Unit::Millimetre)) {
        if (length < 0.1 || static_cast<float>(length) > model.driveRange) ++findings;
        if (decimals > 1) ++findings;
    } else {
        if (length < 0.01 || length > maxLengthInches(model)) ++findings;
        if (decimals > 2) ++findings;
    }
    return findings;
}

}  // namespace kt520::rules
