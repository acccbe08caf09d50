#pragma once
// What a run hands on when it ends, whatever became of it: how it ended and
// why, and the data it wrote, in memory, so that the window and the headless
// driver show it without reading the files again. A Result Read hands on its
// results the same way, and so does a card import its measurement.
#include <chrono>
#include <string>
#include <vector>

#include "analysis/RunAnalysis.h"
#include "conditions/ConditionSet.h"

namespace kt520::measurement {

struct RunRecord {
    enum class Source { Measurement, Read, ResultRead, Card };
    enum class Outcome {
        Written,      // the data files are written
        ResultsOnly,  // results read, no file (CSV Data Save OFF, or a Result Read)
        NoData,       // stopped, stopped at a limit, no data held, or too many points
        NotStarted,   // refused before the measurement began
        Failed,       // the line was lost, or the files could not be written
    };

    Source source = Source::Measurement;
    Outcome outcome = Outcome::NoData;
    std::string reason;  // what the operator was told about the outcome
    std::chrono::system_clock::time_point finishedAt;
    bool inch = false;                 // heights in microinches, lengths in inches
    std::string samplingPitchText;     // micrometres, as the conditions give it
    std::vector<double> measured;      // as Measured.csv holds it
    std::vector<double> evaluation;    // as Evaluation.csv holds it
    std::vector<std::string> results;  // the instrument's fields, as Parameter.csv holds them
    bool resultsRefused = false;       // the result read was refused: no Parameter.csv
    conditions::ConditionSet conditions;
    std::vector<std::string> listing;  // the condition listing lines of Condition.csv
    // The parameters computed on the PC from the measured profile, as Analysis.csv holds them.
    std::vector<analysis::Parameter> analysis;
    std::vector<std::string> files;  // full paths of the files written
    std::string cardFile;            // a card import: the .SMB file read,
    std::string measuredOn;          // and the date the instrument gave the measurement
};

}  // namespace kt520::measurement
