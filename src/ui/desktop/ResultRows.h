#pragma once
// The rows of the results table: the instrument's own fields in their order,
// each beside the parameter computed on the PC that the operator's name for
// the field names, then the computed parameters no field names. A named field
// that differs from its parameter by more than the tolerance is flagged.
#include <optional>
#include <string>
#include <vector>

#include "analysis/RunAnalysis.h"

namespace kt520::ui::desktop {

struct ResultRow {
    int field = 0;                   // the instrument's field number from 1; 0: none
    std::string name;                // the operator's name of the field, or the parameter's
    std::string instrumentText;      // the field as the instrument sent it
    std::optional<double> computed;  // the parameter computed on the PC, in `unit`
    std::string unit;
    // Instrument less PC, where that is beyond the tolerance.
    std::optional<double> flaggedDifference;
};

// The instrument's fields carry three decimals: a field agrees with its
// parameter within half a unit of the last decimal (the field's rounding)
// plus 1 % of the parameter (what two implementations of the same filter and
// definition may differ by).
[[nodiscard]] double agreementTolerance(double computed);

// A field's name finds the parameter of that name; on a W or P profile, whose
// parameters carry that letter ("Wa", "Pt"), a field named with R ("Ra")
// finds the parameter of the run's profile.
[[nodiscard]] std::vector<ResultRow> resultRows(const std::vector<analysis::Parameter>& parameters,
                                                const std::vector<std::string>& fields,
                                                const std::vector<std::string>& fieldNames);

}  // namespace kt520::ui::desktop
