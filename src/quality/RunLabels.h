#pragma once
// What the operator says a run is of: the part (the name its tolerances are
// kept under), the lot and the operator. Each may stay empty; they are kept
// from one run to the next until changed.
#include <string>

namespace kt520::quality {

struct RunLabels {
    std::string part;
    std::string lot;
    std::string operatorName;
    bool operator==(const RunLabels&) const = default;
};

}  // namespace kt520::quality
