#include "sim/MeasuringConditions.h"

#include <charconv>
#include <cmath>

#include "conditions/ConditionLayout.h"

namespace kt520::sim {

namespace {

constexpr double kInchPerMm = 0.03937;
constexpr std::array<double, 5> kCutOffsMm{0.08, 0.25, 0.8, 2.5, 8.0};
constexpr std::array<double, 6> kSpeedsMmPerS{0.05, 0.1, 0.2, 0.5, 1.0, 2.0};
constexpr std::array<std::string_view, 5> kPitchMicrometres{"0.05", "0.15", "0.50", "1.50", "5.0"};
constexpr std::array<std::string_view, 5> kPitchMicroinches{"2.0", "5.9", "19.7", "59.1", "196.8"};

struct Range {
    double low;
    double high;
};
constexpr std::array<Range, 4> kMotifMm{{{0.3, 0.64}, {0.7, 3.2}, {3.3, 16.0}, {16.1, 50.8}}};
constexpr std::array<Range, 4> kMotifInch{
    {{0.012, 0.025}, {0.028, 0.126}, {0.13, 0.63}, {0.64, 2.0}}};
constexpr std::array<int, 4> kMotifMmDecimals{2, 1, 1, 1};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// One code character: a digit from `low` to `high`.
InstrumentError checkCode(char c, char low, char high) {
    if (!isDigit(c)) return InstrumentError::Command;
    return (c < low || c > high) ? InstrumentError::OutRange : InstrumentError::None;
}

InstrumentError checkCodes(std::string_view argument,
                           std::initializer_list<std::pair<char, char>> ranges) {
    if (argument.size() != ranges.size()) return InstrumentError::Command;
    InstrumentError worst = InstrumentError::None;
    std::size_t i = 0;
    for (auto [low, high] : ranges) {
        InstrumentError e = checkCode(argument[i++], low, high);
        if (e == InstrumentError::Command) return e;
        if (e != InstrumentError::None) worst = e;
    }
    return worst;
}

// A right-aligned number field: blanks, then a plain decimal number.
bool parseNumberField(std::string_view field, double& value) {
    const auto first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    field = field.substr(first);
    auto [ptr, ec] =
        std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    return ec == std::errc{} && ptr == field.data() + field.size();
}

bool within(double value, Range range) {
    constexpr double kSlack = 1e-9;
    return value >= range.low - kSlack && value <= range.high + kSlack;
}

InstrumentError applyLength(MeasuringConditions& c, std::string_view argument,
                            const FirmwareLimits& limits) {
    // unit digit, the length right-aligned in 5, five blanks
    if (argument.size() != 11 || argument.substr(6) != "     ") return InstrumentError::Command;
    if (InstrumentError e = checkCode(argument[0], '1', '2'); e != InstrumentError::None) return e;
    double length = 0;
    if (!parseNumberField(argument.substr(1, 5), length)) return InstrumentError::Command;
    const bool inch = argument[0] == '2';
    const Range allowed = inch ? Range{0.01, std::nearbyint(limits.driveRangeMm / 25.4)}
                               : Range{0.1, limits.driveRangeMm};
    if (!within(length, allowed)) return InstrumentError::OutRange;
    c.arbitraryLengthMm = inch ? length / kInchPerMm : length;
    return InstrumentError::None;
}

InstrumentError applyMotifLengths(MeasuringConditions& c, std::string_view argument) {
    if (argument.size() != 23) return InstrumentError::Command;
    const bool inch = c.unit == '2';
    std::array<double, 4> lengths{};
    for (int k = 0; k < 4; ++k) {
        if (k > 0 && argument[6 * k - 1] != ',') return InstrumentError::Command;
        if (!parseNumberField(argument.substr(6 * k, 5), lengths[k]))
            return InstrumentError::Command;
    }
    for (int k = 0; k < 4; ++k) {
        if (!within(lengths[k], inch ? kMotifInch[k] : kMotifMm[k]))
            return InstrumentError::OutRange;
    }
    for (int k = 0; k < 4; ++k) c.motifLengthsMm[k] = inch ? lengths[k] / kInchPerMm : lengths[k];
    return InstrumentError::None;
}

std::string rightAligned(std::string text, int width) {
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text.substr(text.size() - width);
}

}  // namespace

double MeasuringConditions::cutOffMm() const {
    return kCutOffsMm.at(cutOff - '1');
}

double MeasuringConditions::evaluationLengthMm() const {
    if (sections == 'L') return arbitraryLengthMm;
    return (sections - '0') * cutOffMm();
}

double MeasuringConditions::speedMmPerS() const {
    return kSpeedsMmPerS.at(speed - '0');
}

double MeasuringConditions::waveLimitMm() const {
    // fl code k names the cut-off one step above cut-off code k.
    return waveLimit == '0' ? 0.0 : kCutOffsMm.at(waveLimit - '0');
}

InstrumentError applyConditionCommand(MeasuringConditions& c, std::string_view tag,
                                      std::string_view argument, const FirmwareLimits& limits) {
    InstrumentError e = InstrumentError::Command;
    if (tag == "WRUNT") {
        e = checkCodes(argument, {{'1', '2'}});
        if (e == InstrumentError::None) c.unit = argument[0];
    } else if (tag == "WRCUT") {
        if (argument.size() == 2 && argument[1] == 'L') {
            e = checkCode(argument[0], '1', '5');
        } else {
            e = checkCodes(argument, {{'1', '5'}, {'1', '5'}});
        }
        if (e == InstrumentError::None) {
            c.cutOff = argument[0];
            c.sections = argument[1];
        }
    } else if (tag == "WRSTD") {
        e = checkCodes(argument, {{'1', '6'}});
        if (e == InstrumentError::None) c.standard = argument[0];
    } else if (tag == "WRFIL") {
        e = checkCodes(argument, {{'1', '6'}, {'1', '4'}});
        // P and the motif profiles are never filtered.
        const bool unfilteredProfile =
            e == InstrumentError::None &&
            (argument[0] == '1' || argument[0] == '5' || argument[0] == '6');
        if (unfilteredProfile && argument[1] != '4') e = InstrumentError::OutRange;
        if (e == InstrumentError::None) {
            c.profile = argument[0];
            c.filter = argument[1];
        }
    } else if (tag == "WRRAN") {
        e = checkCodes(argument, {{'5', '7'}, {'1', '4'}});
        if (e == InstrumentError::None) {
            c.range = argument[0];
            c.overRange = argument[1];
        }
    } else if (tag == "WRL  ") {
        e = applyLength(c, argument, limits);
    } else if (tag == "WRM A") {
        e = checkCodes(argument, {{'2', '5'}});
        if (e == InstrumentError::None) c.motifA = argument[0];
    } else if (tag == "WRM B") {
        e = checkCodes(argument, {{'3', '6'}});
        if (e == InstrumentError::None) c.motifB = argument[0];
    } else if (tag == "WRTRA") {
        e = checkCodes(argument, {{'0', '1'}});
        if (e == InstrumentError::None) c.travel = argument[0];
    } else if (tag == "WRFHL") {
        // The first digit is the cut-off code raised by one; only fl is kept.
        e = checkCodes(argument, {{'2', '6'}, {'0', '4'}});
        if (e == InstrumentError::None) c.waveLimit = argument[1];
    } else if (tag == "WRART" && limits.romVersion >= 1004) {
        e = checkCodes(argument, {{'1', '2'}});
        if (e == InstrumentError::None) c.autoReturn = argument[0];
    } else if (tag == "WRSPD") {
        e = checkCodes(argument, {{'0', '5'}, {'4', '5'}});
        if (e == InstrumentError::None) c.speed = argument[0];
    } else if (tag == "WRML " && limits.romVersion >= 1103) {
        e = applyMotifLengths(c, argument);
    } else if (tag == "WRMET" && limits.romVersion >= 1307) {
        e = checkCodes(argument, {{'0', '1'}});
        if (e == InstrumentError::None) c.anx = argument[0];
    }
    return e;
}

std::vector<int> conditionFieldWidths(int romVersion) {
    std::vector<int> widths{1, 1, 1, 1, 1, 1,  1,  1,  11, 1, 1, 1, 5, 5, 5, 14, 59, 2, 6,
                            6, 7, 1, 9, 6, 16, 11, 31, 1,  1, 1, 1, 1, 1, 1, 1,  5,  1};
    if (romVersion >= 1103) {
        widths.insert(widths.end(), {23, 1, 1, 11, 1, 11, 1, 1, 11, 1, 1, 11, 11, 1});
    } else {
        widths.push_back(30);
    }
    return widths;
}

std::string_view pitchText(int pitchLevel, char unit) {
    return unit == '2' ? kPitchMicroinches.at(pitchLevel) : kPitchMicrometres.at(pitchLevel);
}

std::string decimalText(double value, int decimals, bool trimZeros) {
    // A value that rounds to zero is written without a minus sign.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, ec == std::errc{} ? end : buffer);
    if (trimZeros && text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string conditionRecord(const MeasuringConditions& c, int pitchLevel, int romVersion) {
    const std::vector<int> widths = conditionFieldWidths(romVersion);
    std::vector<std::string> fields(widths.size());
    for (std::size_t k = 0; k < widths.size(); ++k) {
        // Fields the instrument keeps for itself: zero codes, blank texts.
        fields[k] = widths[k] == 1 ? "0" : std::string(widths[k], ' ');
    }
    auto item = [&](int k, std::string text) {
        fields[k - 1] = rightAligned(std::move(text), widths[k - 1]);
    };
    const bool inch = c.unit == '2';
    item(1, {c.cutOff});
    item(2, {c.sections});
    item(3, {c.profile});
    item(4, {c.filter});
    item(5, {c.standard});
    item(6, {c.range});
    item(10, {c.speed});
    item(12, {c.unit});
    const double length = c.evaluationLengthMm();
    item(13, inch ? decimalText(length * kInchPerMm, 3) : decimalText(length, 2));
    item(14, std::string(pitchText(pitchLevel, c.unit)));
    item(22, {c.travel});
    item(29, {c.waveLimit});
    item(30, {c.motifA});
    item(31, {c.motifB});
    item(32, {c.overRange});
    item(37, {c.autoReturn});
    if (romVersion >= 1103) {
        std::string lengths;
        for (int k = 0; k < 4; ++k) {
            if (k > 0) lengths += ',';
            const double mm = c.motifLengthsMm[k];
            lengths += rightAligned(inch ? decimalText(mm * kInchPerMm, 3, false)
                                         : decimalText(mm, kMotifMmDecimals[k], false),
                                    5);
        }
        item(38, lengths);
        item(39, {c.anx});
    }
    std::string record;
    for (const auto& f : fields) record += f;
    return record;
}

std::string cardConditionRecord(const MeasuringConditions& c, int pitchLevel, int romVersion) {
    const conditions::ConditionLayout card = conditions::cardConditionLayout(romVersion);
    const int shared = romVersion >= 1103 ? 51 : 37;
    std::string record = conditionRecord(c, pitchLevel, romVersion);
    record.resize(static_cast<std::size_t>(card.span(shared + 1).start - 1));
    for (int k = shared + 1; k <= card.fieldCount(); ++k) {
        const auto width = static_cast<std::size_t>(card.span(k).width);
        record += width == 1 ? std::string("0") : std::string(width, ' ');
    }
    return record;
}

}  // namespace kt520::sim
