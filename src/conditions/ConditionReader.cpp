#include "conditions/ConditionReader.h"
#include "lang/InternalFault.h"
#include "profile/Blanks.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace kt520::conditions {
using profile::trimBlanks;
namespace {

constexpr int kRangeItem = 6;
constexpr int kUnitItem = 12;
constexpr int kEvaluationLengthItem = 13;
constexpr int kSamplingPitchItem = 14;
constexpr double kInchPerMillimetre = 0.03937;

// The leading number of a text, blanks ignored; 0 when there is none.
double leadingNumber(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c != ' ') digits += c;
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value)) return 0.0;
    return value;
}

// The text of a whole number of tenths, without trailing zeros ("12.7", "13").
std::string decimalText(double value) {
    std::array<char, 512> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value + 0.0,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

// An inch evaluation length as millimetres, cut to one decimal the instrument's way.
std::string inchLengthInMillimetres(std::string_view inchText) {
    const double tenths = std::trunc(leadingNumber(inchText) / kInchPerMillimetre * 10.0 + 0.05);
    return decimalText(tenths / 10.0);
}

// The inch pitch texts the instrument sends and the micrometre pitches they stand for.
const std::pair<std::string_view, std::string_view> kInchPitches[] = {
    {"2.0", "0.05"}, {"5.9", "0.15"}, {"19.7", "0.50"}, {"59.1", "1.50"}, {"196.8", "5.0"}};

std::string pitchInMicrometres(std::string_view inchPitch) {
    const std::string key(trimBlanks(inchPitch));
    for (const auto& [received, stored] : kInchPitches)
        if (key == received) return std::string(stored);
    lang::failInternal("inch sampling pitch \"" + key + "\"");
}

// The length and pitch texts of a cut record, converted when it is an inch record.
ConditionSet withLengths(ConditionSet set, const ItemFieldMap& items) {
    set.evaluationLengthText = itemText(set, items, kEvaluationLengthItem);
    set.samplingPitchText = itemText(set, items, kSamplingPitchItem);
    if (itemText(set, items, kUnitItem) == "2") {
        set.evaluationLengthText = inchLengthInMillimetres(set.evaluationLengthText);
        set.samplingPitchText = pitchInMicrometres(set.samplingPitchText);
    }
    return set;
}

}  // namespace

ConditionSet conditionsFromReply(std::string_view reply, const ConditionLayouts& layouts) {
    ConditionSet set;
    set.fields = layouts.reply.cut(reply, 2);
    return withLengths(std::move(set), layouts.items);
}

ConditionSet conditionsFromCardRecord(std::string_view record, const ConditionLayouts& layouts) {
    ConditionSet set;
    set.fields = layouts.card.cut(record, 0);
    const auto range = static_cast<std::size_t>(layouts.items.fieldOf(kRangeItem));
    if (range < set.fields.size() && set.fields[range] == "A") set.fields[range] = "5";
    return withLengths(std::move(set), layouts.items);
}

}  // namespace kt520::conditions
