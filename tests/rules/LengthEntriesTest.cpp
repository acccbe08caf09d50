// The typed lengths: converted when the operator switches the unit, and
// checked before a measurement starts.
#include "PanelRig.h"

namespace kt520::testing {
namespace {

TEST(LengthConversion, SwitchingTheUnitRewritesTheLengthsInTheShortFormWithinTheirLimits) {
    const std::string shortDrive = "ID=3/1310/25.4/E ", longDrive = "ID=3/1310/5000/E ";
    expectScenarios({
        {"LEN=12.7 UNT2", "LEN=.5"},       // half an inch
        {"LEN=12.7 UNT2 UNT2", "LEN=.5"},  // the same unit again converts nothing
        {"UNT2 LEN=.5 UNT1", "LEN=12.7"},
        {"LEN=0.1 UNT2", "LEN=.01"},                   // 0.00 raised to the smallest inch length
        {"UNT2 LEN=.01 UNT1", "LEN=.3"},               // 0.254 to one decimal
        {"UNT2 LEN=0 UNT1", "LEN=.1"},                 // raised to the smallest mm length
        {shortDrive + "LEN=300 UNT2", "LEN=1"},        // the travel in whole inches
        {shortDrive + "UNT2 LEN=5 UNT1", "LEN=25.4"},  // the travel as the drive reports it
        {"LEN=99999999 UNT2", "LEN=2"},  // beyond sixteen bits: the limit, no overflow
        {"UNT2 LEN=-99999999 UNT1", "LEN=.1"},
        {longDrive + "LEN=3000 UNT2", "LEN=118.1"},  // cut to five characters
        {longDrive + "UNT2 LEN=48.6 UNT1", "LEN=1234."},
        // The motif lengths, each clamped to its own range; the hints start
        // with their smallest mm length, and 16.1 mm is below the inch range.
        {"UNT2", "ALEN=.012,.028,.13,.64"},
        {"UNT2 ALEN1=0 ALEN2=0 ALEN3=0 ALEN4=0 UNT1", "ALEN=.3,.7,3.3,16.1"},
        {"ALEN1=999 ALEN2=999 ALEN3=999 ALEN4=999 UNT2", "ALEN=.025,.126,.63,2"},
        {"DEFAULT UNT2", "ALEN=.025,.126,.63,1"},
        {"DEFAULT ALEN2=1.23 UNT2 UNT1", "ALEN=.64,1.2,16,25.4"},  // half to even, box 2 to .1
        {"ID=1/1102/50.8/E ALEN1=0.5 UNT2", "ALEN=0.5,,,"},        // kind 1 has no motif lengths
    });
}

TEST(LengthCheck, EachFindingIsCountedOnItsOwn) {
    struct Case {
        int unit;
        std::string text;
        int findings;
    };
    // The travel is 25.4 mm (single precision: 25.4 is in, 25.5 is out) or 1 inch.
    const Case cases[] = {{1, "0.1", 0},   {1, "25.4", 0}, {1, ".5", 0},   {1, "2", 0},
                          {1, "0.09", 2},  {1, "0.05", 2}, {1, "25.5", 1}, {1, "25.45", 2},
                          {1, "2.45", 1},  {1, "2.4_", 1}, {2, "0.01", 0}, {2, "1", 0},
                          {2, "0.12", 0},  {2, "1.01", 1}, {2, "1.1", 1},  {2, ".009", 2},
                          {2, "0.005", 2}, {2, "x", 1}};
    for (const Case& c : cases)
        expectScenarios({{"ID=3/1310/25.4/E UNT" + std::to_string(c.unit) + " LEN=" + c.text,
                          "CHK=" + std::to_string(c.findings)}});
}

// Each box in its own range of the unit shown, in five characters at most;
// checked only when a run sends them (a motif profile on a motif model).
TEST(LengthCheck, MotifLengthsAreCheckedWhenTheRunSendsThem) {
    expectScenarios({
        {"CUV5 DEFAULT", "MCHK=0"},
        {"CUV5", "MCHK=4"},  // the hints are longer than five characters
        {"CUV6 DEFAULT ALEN1=0.65 ALEN4=16.1", "MCHK=1"},
        {"CUV5 DEFAULT ALEN2=3.14159", "MCHK=1"},
        {"CUV5 DEFAULT ALEN2=9.99999", "MCHK=2"},
        {"CUV5 DEFAULT ALEN3=_0.2", "MCHK=1"},
        {"CUV5 DEFAULT UNT2 ALEN3=0.130 ALEN4=.6", "MCHK=1"},
        {"CUV5 DEFAULT UNT2 ALEN1=0.0125", "MCHK=1"},
        {"CUV2 ALEN2=9.99999", "MCHK=0"},
        {"ID=1/1102/50.8/E CUV5", "MCHK=0"},
    });
}

}  // namespace
}  // namespace kt520::testing
