#pragma once
// The simulated instrument's measurement conditions, the condition commands
// that change them, and the fixed-width record that "RDCON00" returns.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kt520::sim {

// The instrument's error numbers that the simulator answers with.
enum class InstrumentError {
    None = 0,
    Command = 1,     // unknown command or malformed argument
    Process = 2,     // refused while a measurement or a motion runs
    NoData = 4,      // no data held
    OutRange = 11,   // a value outside its range
    Condition = 19,  // conditions that cannot be measured on this drive
};

struct MeasuringConditions {
    char cutOff = '3';    // "1".."5": 0.08, 0.25, 0.8, 2.5, 8 mm
    char sections = '3';  // "1".."5", or 'L' for an arbitrary length
    char profile = '2';   // "1" P, "2" R, "3" W, "4" DIN4776, "5" R MOTIF, "6" W MOTIF
    char filter = '1';    // "1" 2CR, "2" PC75, "3" GAUSS, "4" NON
    char standard = '4';
    char range = '6';  // "5" 800 um, "6" 80 um, "7" 8 um
    char overRange = '1';
    char speed = '3';      // "0".."5": 0.05, 0.1, 0.2, 0.5, 1, 2 mm/s
    char unit = '1';       // "1" mm, "2" inch
    char travel = '1';     // pre/post travel "0" off, "1" on
    char waveLimit = '0';  // fl of the W profile: "0" none, "1".."4" 0.25 .. 8 mm
    char motifA = '2';
    char motifB = '3';
    char autoReturn = '1';
    char anx = '0';
    double arbitraryLengthMm = 4.0;  // the evaluation length when sections is 'L'
    std::array<double, 4> motifLengthsMm{0.64, 3.2, 16.0, 25.4};

    double cutOffMm() const;
    double evaluationLengthMm() const;
    double speedMmPerS() const;
    double waveLimitMm() const;  // 0 when none
    bool isMotif() const { return profile == '5' || profile == '6'; }
    // Whether a mean-line filter is applied to the evaluation profile.
    bool filtered() const { return filter != '4' && !isMotif() && profile != '1'; }
};

// What the instrument knows about itself that decides which commands it takes.
struct FirmwareLimits {
    int romVersion = 1311;       // firmware version x 1000
    double driveRangeMm = 50.0;  // the drive's maximum traverse
};

// Applies one condition command, split into its 5-character tag and its
// argument. Returns None when accepted; conditions stay unchanged otherwise.
// Returns Command also for a tag that is no condition command.
InstrumentError applyConditionCommand(MeasuringConditions& conditions, std::string_view tag,
                                      std::string_view argument, const FirmwareLimits& limits);

// The widths of the record's fields: 51 fields (305 characters) from
// firmware 1103 on, else 38 fields (249 characters).
std::vector<int> conditionFieldWidths(int romVersion);

// The sampling pitch texts of item 14, by pitch level 0..4.
std::string_view pitchText(int pitchLevel, char unit);

// The condition record (without the leading "OK" and the carriage return).
std::string conditionRecord(const MeasuringConditions& conditions, int pitchLevel, int romVersion);

// The condition record of a card file: the reply's fields 1 to 37 (to 51 from
// firmware 1103 on), then the card's own fields, which the simulator keeps at
// zero codes and blank texts.
std::string cardConditionRecord(const MeasuringConditions& conditions, int pitchLevel,
                                int romVersion);

// Number texts as the instrument writes them: `decimals` places, trailing
// zeros and a trailing point removed, "." as decimal point.
std::string decimalText(double value, int decimals, bool trimZeros = true);

}  // namespace kt520::sim
