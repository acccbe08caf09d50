#pragma once
// An instrument link on port 1 of an in-memory line, a scripted instrument at
// the far end, a simulated clock and an operator that records every box.
#include "lang/MessageCatalog.h"
#include "link/InMemorySerialPort.h"
#include "link/InstrumentLink.h"
#include "link/SimulatedPump.h"
#include "support/RecordingOperator.h"
#include "support/ScriptedPeer.h"

namespace kt520::testing {

struct ScriptedLine {
    ScriptedLine() {
        catalog.load("E");
        port.attach(1, peer);
    }

    link::SimulatedPump pump;
    link::InMemorySerialPort port{pump};
    ScriptedPeer peer;
    RecordingOperator op;
    lang::MessageCatalog catalog;
    link::InstrumentLink link{port, pump, op, catalog};
};

}  // namespace kt520::testing
