#pragma once
// The verdict of one run against its part's tolerances: each parameter with a
// limit is OK or NG, and the run is NG when any of them is. A parameter with
// no limit is not judged; a limit on a parameter the run did not give (a
// roughness limit on a waviness run) is NG, since the part was not shown to
// meet it.
#include <optional>
#include <string>
#include <vector>

#include "analysis/RunAnalysis.h"
#include "quality/Tolerance.h"

namespace kt520::quality {

enum class Verdict { Ok, Ng, NotJudged };

struct ParameterVerdict {
    std::string name;
    std::optional<double> value;  // in `unit`; none when the run did not give it
    std::string unit;             // the analysis's unit, or the limit's for a missing one
    std::optional<Limit> limit;   // in comparableUnit(unit)
    Verdict verdict = Verdict::NotJudged;
};

struct RunVerdict {
    std::vector<ParameterVerdict> parameters;  // the run's order, then missing limited ones
    Verdict overall = Verdict::Ok;
};

[[nodiscard]] RunVerdict judge(const std::vector<analysis::Parameter>& parameters,
                               const std::vector<Tolerance>& partLimits);

// "OK", "NG" and "" (not judged): the words the window, the report and the
// database use.
[[nodiscard]] const char* verdictWord(Verdict verdict);
[[nodiscard]] Verdict parseVerdict(const std::string& word);

}  // namespace kt520::quality
