#pragma once
// The serial lines and folders the command line asks for: real devices on
// their port numbers, the built-in simulated instrument on its port, and the
// folders of the language file and the data.
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Controller.h"
#include "async/EventLoop.h"
#include "link/InMemoryLine.h"
#include "link/RoutingLine.h"
#include "link/qtserial/QtSerialLine.h"
#include "sim/Instrument.h"

namespace kt520::app {

// The folder of the running executable, or "." when it cannot be told.
std::string executableFolder();

class Program {
  public:
    Program(const Options& options, async::EventLoop& loop);

    link::SerialLine& line() { return line_; }
    Folders folders() const;
    // The simulated instrument, when one is attached.
    sim::Instrument* simulator() { return simulator_.get(); }

  private:
    link::SerialLine* lineFor(int portNumber);

    Options options_;
    link::QtSerialLine devices_;
    std::unique_ptr<sim::Instrument> simulator_;
    link::InMemoryLine simulatedLine_;
    link::RoutingLine line_;
};

}  // namespace kt520::app
