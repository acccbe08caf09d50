#pragma once
// The serial lines and folders the command line asks for: the devices behind
// the port numbers, the built-in simulated instrument on its port, and the
// folders of the language file and the data.
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/Controller.h"
#include "async/EventLoop.h"
#include "link/InMemoryLine.h"
#include "link/PortCatalog.h"
#include "link/RoutingLine.h"
#include "link/qtserial/QtPortEnumerator.h"
#include "link/qtserial/QtSerialLine.h"
#include "sim/Instrument.h"

namespace kt520::app {

// The folder of the running executable, or "." when it cannot be told.
std::string executableFolder();

// The devices behind the port numbers: the --port entries, then the devices
// the system has, or with --simulate the built-in simulator's port instead.
link::PortCatalog portCatalogFor(const Options& options, const link::PortEnumerator& system);

class Program {
  public:
    Program(const Options& options, async::EventLoop& loop,
            const link::PortEnumerator& system = link::QtPortEnumerator());

    link::SerialLine& line() { return line_; }
    Folders folders() const;
    // Which device each port number opens, one line a port, for the port list's tooltip.
    std::string portListing() const { return ports_.listing(); }
    // The simulated instrument, when one is attached.
    sim::Instrument* simulator() { return simulator_.get(); }

  private:
    link::SerialLine* lineFor(int portNumber);

    Options options_;
    link::PortCatalog ports_;
    link::QtSerialLine devices_;
    std::unique_ptr<sim::Instrument> simulator_;
    link::InMemoryLine simulatedLine_;
    link::RoutingLine line_;
};

}  // namespace kt520::app
