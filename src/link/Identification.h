#pragma once
// Reading the instrument's answer to "RDKT 00" into ModelInfo.
#include <string>
#include <string_view>
#include <vector>

#include "link/ModelInfo.h"

namespace kt520::link {

// The answer's fields, numbered from 0 here: split at every ",", ended by the
// first ";" or carriage return, each trimmed of blanks.
std::vector<std::string> identificationFields(std::string_view reply);

// 0 below 1102, 1 for 1102, 2 from 1103 up to 1306, 3 from 1307 on.
std::int16_t modelKindFor(std::int16_t romVersion);

// modelName is characters 5-9 of field 1, romVersion characters 13-17 of
// field 1 read as a number times 1000 (0 when they are no number), driveRange
// field 18 (1 and 2 are inches: 25.4 and 50.8 mm). modelKind follows the
// firmware only for a "KT520"; for any other model it stays as in `previous`.
ModelInfo parseIdentification(std::string_view reply, const ModelInfo& previous = {});

}  // namespace kt520::link
