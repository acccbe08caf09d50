#pragma once
// Shared pieces of the condition tests: a link to a scripted instrument on an
// in-memory line, and condition records built field by field.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "conditions/ConditionLayout.h"
#include "support/ScriptedLine.h"

namespace kt520::testing {

class ConditionLineTest : public ::testing::Test, public ScriptedLine {
  protected:
    ConditionLineTest() {
        port.setPortNumber(1);
        port.open();
    }

    // The instrument accepts every command with "OK", except those given here.
    void acceptAllExcept(std::map<std::string, std::string> refusals = {}) {
        peer.onCommand = [this, refusals](const std::string& command, link::Millis now) {
            const auto refusal = refusals.find(command);
            peer.sendAt(now + link::Millis{2},
                        refusal == refusals.end() ? "OK\r" : refusal->second);
        };
    }
};

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
