#pragma once
// The condition items the program interprets and their codes. Every code is
// the number the instrument uses for it, which is also the index of its
// entry on the condition panel; some indexes are hidden placeholders.
#include <optional>
#include <string>

namespace kt520::conditions {

enum class Unit { Millimetre = 1, Inch = 2 };
enum class Standard {
    Jis1982 = 1,
    Jis1994 = 2,
    Din1990 = 3,
    Iso1997 = 4,
    Ansi1995 = 5,
    Jis2001 = 6
};
enum class Profile { P = 1, R = 2, W = 3, Din4776 = 4, RMotif = 5, WMotif = 6 };
enum class Filter { TwoCR = 1, PC75 = 2, Gauss = 3, None = 4 };
// Cut-off lengths 0.08, 0.25, 0.8, 2.5 and 8 mm (fh for the waviness profile).
enum class CutOff { Mm0_08 = 1, Mm0_25 = 2, Mm0_8 = 3, Mm2_5 = 4, Mm8 = 5 };
// Number of sampling lengths; 2 and 4 are hidden, Arbitrary is "L" (a typed length).
enum class Sections { One = 1, Two = 2, Three = 3, Four = 4, Five = 5, Arbitrary = 6 };
enum class Range { Um800 = 5, Um80 = 6, Um8 = 7 };
// Measuring speeds in mm/s; 0.2 and 2 are hidden.
enum class Speed { Mm0_05 = 0, Mm0_1 = 1, Mm0_2 = 2, Mm0_5 = 3, Mm1 = 4, Mm2 = 5 };
enum class PrePost { Off = 0, On = 1 };
enum class OverRange { PlusMinusEscape = 1, PlusEscape = 2, MinusEscape = 3, PlusMinusGo = 4 };
// Motif limit A in mm; 0 is a hidden placeholder, there is no entry 1.
enum class MotifA { Hidden = 0, Mm0_02 = 2, Mm0_1 = 3, Mm0_5 = 4, Mm2_5 = 5 };
// Motif limit B in mm; 0 and 2 are hidden placeholders, there is no entry 1.
enum class MotifB { Hidden0 = 0, Hidden2 = 2, Mm0_1 = 3, Mm0_5 = 4, Mm2_5 = 5, Mm12_5 = 6 };
// The long-wave limit fl of the waviness profile: entry k has the value of cut-off k + 1.
enum class LongWave { None = 0, Mm0_25 = 1, Mm0_8 = 2, Mm2_5 = 3, Mm8 = 4 };
enum class Anx { T = 0, Seg = 1 };
enum class AutoReturn { On = 1, Off = 2 };
// Whether a run writes its CSV files; not a condition of the instrument.
enum class CsvSave { On = 1, Off = 2 };

template <typename E>
constexpr int codeOf(E entry) {
    return static_cast<int>(entry);
}

// The option groups of the panel. The value of each condition item is its
// item number in the condition record; CsvSave is the panel's own.
enum class Item {
    CutOff = 1,
    Sections = 2,
    Profile = 3,
    Filter = 4,
    Standard = 5,
    Range = 6,
    Speed = 10,
    Unit = 12,
    PrePost = 22,
    LongWave = 29,
    MotifA = 30,
    MotifB = 31,
    OverRange = 32,
    AutoReturn = 37,
    Anx = 39,
    CsvSave = 1000,
};

// Other items the program reads from the condition record.
inline constexpr int kEvaluationLengthItem = 13;
inline constexpr int kSamplingPitchItem = 14;
inline constexpr int kMotifLengthsItem = 38;

}  // namespace kt520::conditions
