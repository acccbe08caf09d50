#pragma once
// A link to a scripted instrument on an in-memory line, for the reader's tests.
#include <gtest/gtest.h>

#include "ConditionRecord.h"
#include "support/ScriptedLine.h"

namespace kt520::testing {

class ConditionLineTest : public ::testing::Test, public ScriptedLine {
  protected:
    ConditionLineTest() {
        port.setPortNumber(1);
        port.open();
    }
};

}  // namespace kt520::testing
