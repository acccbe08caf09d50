#pragma once
// The conditions of a run as the analysis needs them: plain values, filled by
// whoever holds the instrument's condition record (or by kt520-analyse from
// its options).
#include <string_view>

namespace kt520::analysis {

enum class ProfileKind { Primary, Roughness, Waviness, Din4776, RoughnessMotif, WavinessMotif };

// The instrument's filter choices: "2CR" is the 2RC filter (75 % transmission
// at the cut-off, with the phase shift of two RC stages), "PC75" its
// phase-corrected form, "GAUSS" the Gaussian filter (50 %), "NON" none.
enum class FilterKind { TwoRC, PhaseCorrected2RC, Gaussian, None };

enum class Standard { Jis1982, Jis1994, Din1990, Iso1997, Ansi1995, Jis2001 };

enum class Unit { Millimetre, Inch };

struct RunConditions {
    double cutOffMm = 0.8;          // lambda-c; fh for the W profile
    int sections = 5;               // sampling lengths in the evaluation length
    double evaluationLengthMm = 0;  // 0: sections x cut-off
    double pitchUm = 0.5;           // point spacing of the profiles
    ProfileKind profile = ProfileKind::Roughness;
    FilterKind filter = FilterKind::Gaussian;
    Standard standard = Standard::Iso1997;
    Unit unit = Unit::Millimetre;
    double waveLimitMm = 0;  // fl of the W profile, 0 when none
    double lambdaSUm = 0;    // short-wave cut-off, 0 when none

    [[nodiscard]] double evaluationMm() const {
        return evaluationLengthMm > 0 ? evaluationLengthMm : sections * cutOffMm;
    }
    [[nodiscard]] bool filtered() const {
        return filter != FilterKind::None &&
               (profile == ProfileKind::Roughness || profile == ProfileKind::Waviness ||
                profile == ProfileKind::Din4776);
    }
};

// The reference text of a standard as the parameter list names it.
[[nodiscard]] std::string_view standardName(Standard standard);

}  // namespace kt520::analysis
