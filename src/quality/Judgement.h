#pragma once
// What the program says of a run that ended: whose it was, its verdict
// against the part's limits, and the part's acceptance so far.
#include "quality/Acceptance.h"
#include "quality/RunLabels.h"
#include "quality/Verdict.h"

namespace kt520::quality {

struct RunJudgement {
    RunLabels labels;
    RunVerdict verdict;
    InspectionStep acceptance;
};

}  // namespace kt520::quality
