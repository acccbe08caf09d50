#pragma once
// An instrument link on port 1 of an in-memory line, a scripted instrument at
// the far end, a simulated clock and an operator that records every box.
#include <gtest/gtest.h>

#include "lang/MessageCatalog.h"
#include "link/InMemorySerialPort.h"
#include "link/InstrumentLink.h"
#include "link/SimulatedPump.h"
#include "support/RecordingOperator.h"
#include "support/ScriptedPeer.h"

namespace kt520::testing {

inline const std::string kKt520Answer =
    "RDKTKT520 V 1.103,A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P, 2 ;rest\r";

class LinkFixture : public ::testing::Test {
  protected:
    LinkFixture() {
        catalog.load("E");
        port.attach(1, peer);
    }

    // Opens the line on port 1 to an instrument that answers as a KT-520.
    void connect() {
        peer.on("RDKT 00", kKt520Answer);
        link.linkState = link.openLink(1);
        ASSERT_EQ(link.linkState, "OK");
        peer.commands.clear();
    }

    link::SimulatedPump pump;
    link::InMemorySerialPort port{pump};
    ScriptedPeer peer;
    RecordingOperator op;
    lang::MessageCatalog catalog;
    link::InstrumentLink link{port, pump, op, catalog};
};

}  // namespace kt520::testing
