#pragma once
// What identification learnt about the instrument on the line.
#include <cstdint>
#include <string>

namespace kt520::link {

struct ModelInfo {
    std::string modelName;        // e.g. "KT520"
    std::int16_t romVersion = 0;  // firmware version x 1000
    float driveRange = 0.0f;      // maximum traverse in mm
    std::int16_t modelKind = 0;   // 0..3, from romVersion
};

}  // namespace kt520::link
