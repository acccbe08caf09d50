// The typed lengths: converted between mm and inch when the unit switches,
// and checked before a measurement starts.
#include <algorithm>
#include <string>

#include "profile/Blanks.h"
#include "rules/ConditionRules.h"
#include "rules/LengthBands.h"
#include "rules/ShortNumber.h"

namespace kt520::rules {
namespace {

using conditions::LengthRefusal;
using conditions::Unit;

constexpr double kInchPerMillimetre = 0.03937;
// The instrument takes each length as a field of five characters.
constexpr int kLengthCharacters = 5;

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

// A limit as the operator reads it: the short form with its leading zero ("0.1", "25.4").
std::string limitText(std::string text) {
    if (text.starts_with('.')) text.insert(0, "0");
    return text;
}

// "0.1-50 mm" from the short forms of the two limits.
std::string rangeText(const std::string& low, const std::string& high, Unit unit) {
    return limitText(low) + "-" + limitText(high) + (unit == Unit::Inch ? " inch" : " mm");
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

std::vector<LengthRefusal> ConditionRules::checkLengthEntry() {
    const std::string& text = state().lengthText;
    const link::ModelInfo& model = panel_.model();
    const double length = leadingNumber(text);
    const std::size_t point = text.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
    const bool millimetres = state().unit.is(Unit::Millimetre);
    // The travel in mm is compared in single precision: 25.4 is in on a 25.4 mm drive.
    const bool inRange = millimetres
                             ? length >= 0.1 && static_cast<float>(length) <= model.driveRange
                             : length >= 0.01 && length <= maxLengthInches(model);
    const int maxDecimals = millimetres ? 1 : 2;
    const std::string allowed =
        millimetres ? rangeText(".1", shortNumber(model.driveRange), Unit::Millimetre)
                    : rangeText(".01", std::to_string(maxLengthInches(model)), Unit::Inch);

    // The two tests are separate: a length may fail both, and each finding is
    // signalled on its own.
    std::vector<LengthRefusal> refusals;
    const std::string shown(profile::trimBlanks(text));
    if (!inRange) refusals.push_back({0, LengthRefusal::Problem::OutOfRange, shown, allowed, 0});
    if (decimals > static_cast<std::size_t>(maxDecimals))
        refusals.push_back(
            {0, LengthRefusal::Problem::TooManyDecimals, shown, allowed, maxDecimals});
    return refusals;
}

std::vector<LengthRefusal> ConditionRules::checkMotifLengths() {
    const bool inch = state().unit.is(Unit::Inch);
    std::vector<LengthRefusal> refusals;
    for (std::size_t k = 0; k < 4; ++k) {
        const MotifLengthRange& range = kMotifRanges[k];
        const double low = inch ? range.minInches : range.minMillimetres;
        const double high = inch ? range.maxInches : range.maxMillimetres;
        const std::string allowed =
            rangeText(shortNumber(low), shortNumber(high), inch ? Unit::Inch : Unit::Millimetre);
        const std::string text(profile::trimBlanks(state().motifLengthTexts[k]));
        const double length = leadingNumber(text);
        const int box = static_cast<int>(k) + 1;
        if (length < low || length > high)
            refusals.push_back({box, LengthRefusal::Problem::OutOfRange, text, allowed, 0});
        if (text.size() > static_cast<std::size_t>(kLengthCharacters))
            refusals.push_back(
                {box, LengthRefusal::Problem::TooLong, text, allowed, kLengthCharacters});
    }
    return refusals;
}

std::string ConditionRules::lengthRangeHint() {
    const link::ModelInfo& model = panel_.model();
    return "0.1-" + limitText(shortNumber(model.driveRange)) + "mm 0.01'-" +
           std::to_string(maxLengthInches(model)) + "'";
}

}  // namespace kt520::rules
