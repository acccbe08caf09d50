#pragma once
// Condition records built field by field, for the tests of the layouts, the
// reader and the panel's read-back.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "conditions/ConditionLayout.h"

namespace kt520::testing {

// A record of `layout` with the given fields (others filled with '.'), each
// value right-aligned in its field, behind the two leading characters "OK".
inline std::string conditionRecord(const conditions::ConditionLayout& layout,
                                   const std::map<int, std::string>& values) {
    std::string record = "OK";
    for (int k = 1; k <= layout.fieldCount(); ++k) {
        const int width = layout.span(k).width;
        const auto value = values.find(k);
        if (value == values.end()) {
            record += std::string(static_cast<size_t>(width), '.');
        } else {
            EXPECT_LE(value->second.size(), static_cast<size_t>(width)) << "field " << k;
            record +=
                std::string(static_cast<size_t>(width) - value->second.size(), ' ') + value->second;
        }
    }
    return record;
}

}  // namespace kt520::testing
