#include "measurement/ConditionListing.h"

#include "lang/InternalFault.h"
#include "profile/Blanks.h"

#include <array>
#include <string_view>
#include <utility>

namespace kt520::measurement {
using profile::trimBlanks;
namespace {

enum Item {
    kCutOff = 1,
    kSamplingLengths = 2,
    kProfile = 3,
    kFilter = 4,
    kStandard = 5,
    kRange = 6,
    kUnit = 12,
    kEvaluationLength = 13,
    kSamplingPitch = 14,
};

constexpr int kVdaFirmware = 1311;

// A code and its text in the millimetre form and in the inch form.
struct CodeText {
    std::string_view code;
    std::string_view millimetre;
    std::string_view inch;
};

constexpr std::array kCutOffs{
    CodeText{"1", "0.08mm", "0.003inch"}, CodeText{"2", "0.25mm", "0.01inch"},
    CodeText{"3", "0.8mm", "0.03inch"},   CodeText{"4", "2.5mm", "0.1inch"},
    CodeText{"5", "8mm", "0.3inch"},
};
constexpr std::array kProfiles{
    CodeText{"1", "P", "P"},
    CodeText{"2", "R", "R"},
    CodeText{"3", "W", "W"},
    CodeText{"4", "DIN4776", "DIN4776"},
    CodeText{"5", "R MOTIF", "R MOTIF"},
    CodeText{"6", "W MOTIF", "W MOTIF"},
};
constexpr std::array kFilters{
    CodeText{"1", "2CR", "2CR"},
    CodeText{"2", "PC75", "PC75"},
    CodeText{"3", "GAUSS", "GAUSS"},
    CodeText{"4", "NON", "NON"},
};
constexpr std::array kStandards{
    CodeText{"1", "JIS 1982", "JIS 1982"},   CodeText{"2", "JIS 1994", "JIS 1994"},
    CodeText{"3", "DIN 1990", "DIN 1990"},   CodeText{"4", "ISO 1997", "ISO 1997"},
    CodeText{"5", "ANSI 1995", "ANSI 1995"}, CodeText{"6", "JIS 2001", "JIS 2001"},
};
constexpr std::array kRanges{
    CodeText{"5", "800um", "32000uinch"},
    CodeText{"6", "80um", "3200uinch"},
    CodeText{"7", "8um", "320uinch"},
};
constexpr std::array kSectionCounts{"1", "2", "3", "4", "5"};

class Listing {
  public:
    explicit Listing(const ListingSource& source) : source_(source) {}

    std::vector<std::string> lines() {
        const std::string unit = item(kUnit);
        if (unit != "1" && unit != "2") lang::failInternal("unit \"" + unit + "\"");
        inch_ = unit == "2";

        std::vector<std::string> lines;
        lines.push_back("CUT " + text(kCutOffs, kCutOff));
        lines.push_back("SCT " + samplingLengths());
        lines.push_back("CUV " + text(kProfiles, kProfile));
        lines.push_back("FLT " + text(kFilters, kFilter));
        lines.push_back("STD " + standard());
        lines.push_back("RNG " + text(kRanges, kRange));
        lines.push_back("STP " + std::string(trimBlanks(pitch())) + (inch_ ? "uinch" : "um"));
        lines.push_back(std::string("UNT ") + (inch_ ? "inch" : "mm"));
        lines.push_back("LNG " + language());
        return lines;
    }

  private:
    std::string item(int k) const {
        return conditions::itemText(source_.conditions, source_.items, k);
    }

    template <std::size_t N>
    std::string text(const std::array<CodeText, N>& table, int k) {
        const std::string code = item(k);
        for (const CodeText& entry : table) {
            if (entry.code == code) return std::string(inch_ ? entry.inch : entry.millimetre);
        }
        lang::failInternal("code \"" + code + "\" of item " + std::to_string(k));
    }

    std::string samplingLengths() {
        const std::string code = item(kSamplingLengths);
        for (const char* count : kSectionCounts) {
            if (code == count) return code;
        }
        if (code != "L")
            lang::failInternal("sampling lengths \"" + code + "\"", lang::FaultText::No1);
        // The record's own text is in the unit of the record, which is the form's unit.
        return "L " + std::string(trimBlanks(item(kEvaluationLength))) + (inch_ ? "inch" : "mm");
    }

    std::string standard() {
        if (item(kStandard) == "3" && source_.romVersion >= kVdaFirmware) return "VDA";
        return text(kStandards, kStandard);
    }

    // The record's pitch is in micro-units of the record's unit; the reader
    // keeps a micrometre copy, which the millimetre form prints.
    std::string pitch() const {
        return inch_ ? item(kSamplingPitch) : source_.conditions.samplingPitchText;
    }

    std::string language() const {
        if (source_.languageCode == "E") return "English";
        if (source_.languageCode == "J") return "Japanese";
        return source_.languageCode;
    }

    const ListingSource& source_;
    bool inch_ = false;
};

}  // namespace

std::vector<std::string> conditionListingLines(const ListingSource& source) {
    return Listing(source).lines();
}

}  // namespace kt520::measurement
