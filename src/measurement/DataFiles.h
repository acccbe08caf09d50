#pragma once
// The steps a measurement's data take into the data files, the same whether
// they came over the line in a run or from the instrument's memory card: the
// decimal repair of the profiles, the evaluation window of the measured
// profile and its tilt compensation, microinches for an inch measurement, the
// result fields a line each, and the condition record with its listing.
#include <string>
#include <string_view>
#include <vector>

#include "measurement/ConditionListing.h"
#include "measurement/ProfileData.h"
#include "measurement/RunFiles.h"
#include "measurement/RunRecord.h"
#include "profile/ProfileFilters.h"

namespace kt520::measurement {

// The fields of a result text ("RDRES00" after its "OK", or a card's results):
// split at every ",", up to the first carriage return. A field that neither
// ends is dropped.
std::vector<std::string> resultFields(std::string_view text);

struct ProfileSettings {
    std::string filterCode;  // item 4: the evaluation window follows the filter
    bool tiltCompensation = false;
    bool inch = false;  // the files hold microinches
};

// Both profiles in micrometres as they arrived, for the analysis.
struct ProfileHeights {
    std::vector<double> measuredUm;
    std::vector<double> evaluationUm;
};

// Stages Evaluation.csv and then Measured.csv from the profiles as they
// arrived: `measured` (entries from 1) and the evaluation profile in `data`'s
// output lines. record.evaluation and record.measured get what the files hold.
ProfileHeights stageProfiles(profile::TextList measured, ProfileData& data,
                             const ProfileSettings& settings, RunFiles& files, RunRecord& record);

// Parameter.csv: every result field a line, an empty one too, so that later
// fields keep their places; a refused result read removes the old file.
void stageResults(const RunRecord& record, RunFiles& files);

// Condition.csv: the record's fields, one a line, then the condition listing
// (a code the listing does not know is an internal fault). Sets
// record.conditions and record.listing.
void stageConditions(ProfileData& data, const ListingSource& source, RunFiles& files,
                     RunRecord& record);

}  // namespace kt520::measurement
