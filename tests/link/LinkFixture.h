#pragma once
// The link tests' fixture: a scripted line with a KT-520 answer at hand.
#include <gtest/gtest.h>

#include "support/ScriptedLine.h"

namespace kt520::testing {

inline const std::string kKt520Answer =
    "RDKTKT520 V 1.103,A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P, 2 ;rest\r";

class LinkFixture : public ::testing::Test, public ScriptedLine {
  protected:
    // Opens the line on port 1 to an instrument that answers as a KT-520.
    void connect() {
        peer.on("RDKT 00", kKt520Answer);
        link.linkState = link.openLink(1);
        ASSERT_EQ(link.linkState, "OK");
        peer.commands.clear();
    }
};

}  // namespace kt520::testing
