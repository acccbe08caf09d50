#pragma once
// What a finished run hands on: the data it wrote, in memory, so that the
// window and the headless driver show it without reading the files again.
#include <chrono>
#include <string>
#include <vector>

#include "analysis/RunAnalysis.h"
#include "conditions/ConditionSet.h"

namespace kt520::measurement {

struct RunRecord {
    enum class Source { Measurement, Read };

    Source source = Source::Measurement;
    std::chrono::system_clock::time_point finishedAt;
    bool inch = false;                 // heights in microinches, lengths in inches
    std::string samplingPitchText;     // micrometres, as the conditions give it
    std::vector<double> measured;      // as Measured.csv holds it
    std::vector<double> evaluation;    // as Evaluation.csv holds it
    std::vector<std::string> results;  // the instrument's fields, as Parameter.csv holds them
    conditions::ConditionSet conditions;
    std::vector<std::string> listing;  // the condition listing lines of Condition.csv
    // The parameters computed on the PC from the measured profile, as Analysis.csv holds them.
    std::vector<analysis::Parameter> analysis;
    std::vector<std::string> files;  // full paths of the files written
    std::string notSaved;            // why the files could not be written; empty when they were
};

}  // namespace kt520::measurement
