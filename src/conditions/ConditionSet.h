#pragma once
// The measurement conditions as the instrument (or a card file) reported them.
#include <string>
#include <vector>

namespace kt520::conditions {

struct ConditionSet {
    // Field texts exactly as cut from the record, numbered from 1; fields[0] is unused.
    std::vector<std::string> fields;
    // Item 13, in millimetres once an inch record has been converted.
    std::string evaluationLengthText;
    // Item 14, as a micrometre pitch once an inch record has been converted.
    std::string samplingPitchText;
};

}  // namespace kt520::conditions
