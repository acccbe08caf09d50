#include "measurement/AnalysisConditions.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "conditions/Codes.h"
#include "profile/NumberText.h"

namespace kt520::measurement {
namespace {

using conditions::Item;

// The code of `item` as a digit 1..9, 0 for anything else.
int digit(const conditions::ConditionSet& set, const conditions::ItemFieldMap& items, Item item) {
    const std::string code = conditions::itemText(set, items, conditions::codeOf(item));
    return code.size() == 1 && code[0] >= '0' && code[0] <= '9' ? code[0] - '0' : 0;
}

template <typename T, std::size_t N>
T pick(const T (&table)[N], int code, T otherwise) {
    return code >= 1 && static_cast<std::size_t>(code) <= N ? table[code - 1] : otherwise;
}

}  // namespace

analysis::RunConditions analysisConditions(const conditions::ConditionSet& set,
                                           const conditions::ItemFieldMap& items) {
    constexpr double kLengthsMm[] = {0.08, 0.25, 0.8, 2.5, 8.0};
    constexpr analysis::ProfileKind kProfiles[] = {
        analysis::ProfileKind::Primary,        analysis::ProfileKind::Roughness,
        analysis::ProfileKind::Waviness,       analysis::ProfileKind::Din4776,
        analysis::ProfileKind::RoughnessMotif, analysis::ProfileKind::WavinessMotif};
    constexpr analysis::FilterKind kFilters[] = {
        analysis::FilterKind::TwoRC, analysis::FilterKind::PhaseCorrected2RC,
        analysis::FilterKind::Gaussian, analysis::FilterKind::None};
    constexpr analysis::Standard kStandards[] = {
        analysis::Standard::Jis1982, analysis::Standard::Jis1994,  analysis::Standard::Din1990,
        analysis::Standard::Iso1997, analysis::Standard::Ansi1995, analysis::Standard::Jis2001};

    analysis::RunConditions run;
    run.cutOffMm = pick(kLengthsMm, digit(set, items, Item::CutOff), run.cutOffMm);
    const std::string sections =
        conditions::itemText(set, items, conditions::codeOf(Item::Sections));
    if (sections == "L") {
        run.evaluationLengthMm = profile::readValue(set.evaluationLengthText);
        run.sections =
            std::max(1, static_cast<int>(std::lround(run.evaluationLengthMm / run.cutOffMm)));
    } else if (const int count = digit(set, items, Item::Sections); count > 0) {
        run.sections = count;
    }
    if (const float pitch = profile::readValue(set.samplingPitchText); pitch > 0)
        run.pitchUm = pitch;
    run.profile = pick(kProfiles, digit(set, items, Item::Profile), run.profile);
    run.filter = pick(kFilters, digit(set, items, Item::Filter), run.filter);
    run.standard = pick(kStandards, digit(set, items, Item::Standard), run.standard);
    run.unit =
        digit(set, items, Item::Unit) == 2 ? analysis::Unit::Inch : analysis::Unit::Millimetre;
    // fl: entry k has the value of cut-off k + 1; 0 is none.
    const int fl = digit(set, items, Item::LongWave);
    run.waveLimitMm = fl >= 1 && fl <= 4 ? kLengthsMm[fl] : 0.0;
    return run;
}

}  // namespace kt520::measurement
