// The typed lengths: converted between mm and inch when the unit switches,
// and the evaluation length checked before a measurement starts.
#include <algorithm>
#include <string>

#include "rules/ConditionRules.h"
#include "rules/LengthBands.h"
#include "rules/ShortNumber.h"

namespace kt520::rules {
namespace {

constexpr double kInchPerMillimetre = 0.03937;
constexpr int kToMillimetres = 1;
constexpr int kToInches = 2;

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

// The value in the other unit, rounded to `decimals` places half to even.
double converted(double value, int unit, int decimals) {
    const double scale = scaleOf(decimals);
    const double raw = unit == kToInches ? value * kInchPerMillimetre : value / kInchPerMillimetre;
    return nearestEven16(raw * scale) / scale;
}

}  // namespace

void ConditionRules::convertLengthEntry(int unit) {
    if (unit != kToMillimetres && unit != kToInches) return;
    const double length = leadingNumber(window_.txtLENG.text);
    std::string text;
    if (unit == kToInches) {
        double inches = converted(length, unit, 2);
        if (inches < 0.01) inches = 0.01;
        const int longest = maxLengthInches(model_);
        text = inches > longest ? shortNumber(static_cast<double>(longest)) : shortNumber(inches);
    } else {
        double millimetres = converted(length, unit, 1);
        if (millimetres < 0.1) millimetres = 0.1;
        // The drive's travel is written as the single-precision number it is
        // (25.4, not 25.399999618...).
        text = millimetres > model_.driveRange ? shortNumber(model_.driveRange)
                                               : shortNumber(millimetres);
    }
    window_.txtLENG.setText(text);
}

void ConditionRules::convertMotifLengths(int unit) {
    if (unit != kToMillimetres && unit != kToInches) return;
    for (int k = 1; k <= 4; ++k) {
        const MotifLengthRange& range = kMotifRanges[k - 1];
        const double value = leadingNumber(window_.txtALEN[k].text);
        // txtALEN(3) in mm never falls below 3.3, so its leading zero never
        // shows; the separator is "." like every number text of the program.
        const double length =
            unit == kToInches
                ? std::clamp(converted(value, unit, 3), range.minInches, range.maxInches)
                : std::clamp(converted(value, unit, range.millimetreDecimals), range.minMillimetres,
                             range.maxMillimetres);
        window_.txtALEN[k].setText(shortNumber(length));
    }
}

std::string ConditionRules::checkLengthEntry() {
    ui::TextBox& box = window_.txtLENG;
    const double length = leadingNumber(box.text);
    const auto decimalsAfterPoint = [&box]() -> size_t {
        const size_t point = box.text.find('.');
        return point == std::string::npos ? 0 : box.text.size() - point - 1;
    };

    int findings = 0;
    if (window_.optUNT.isSelected(1)) {
        if (length < 0.1 || static_cast<float>(length) > model_.driveRange) ++findings;
        if (decimalsAfterPoint() > 1) ++findings;
    } else if (window_.optUNT.isSelected(2)) {
        if (length < 0.01 || length > maxLengthInches(model_)) ++findings;
        if (decimalsAfterPoint() > 2) ++findings;
    }
    // Every finding is signalled on its own: the operator hears each one.
    for (int i = 0; i < findings; ++i) {
        operator_.beep();
        box.setFocus();
        box.selStart = 0;
        box.selLength = 255;
    }
    return findings == 0 ? "OK" : "NG";
}

}  // namespace kt520::rules
