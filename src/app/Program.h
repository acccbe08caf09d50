#pragma once
// The whole program as the command line sets it up: the serial lines behind
// the port numbers (real devices, the built-in simulator), the folders, and
// the main window's controller over them. The desktop and the headless driver
// each build one with their own event pump and operator.
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/RoutingSerialPort.h"
#include "lang/Operator.h"
#include "link/EventPump.h"
#include "link/InMemorySerialPort.h"
#include "link/PortCatalog.h"
#include "link/qtserial/QtPortEnumerator.h"
#include "link/qtserial/QtSerialPort.h"
#include "sim/Instrument.h"

namespace kt520::app {

// The folder of the running executable, or "." when it cannot be told.
std::string executableFolder();

// The devices behind the port numbers: the --port entries, then the devices
// the system has, or with --simulate the built-in simulator's port instead.
link::PortCatalog portCatalogFor(const Options& options, const link::PortEnumerator& system);

class Program {
  public:
    Program(const Options& options, link::EventPump& pump, lang::Operator& op,
            const link::PortEnumerator& system = link::QtPortEnumerator());

    // Window creation and load. Throws lang::ProgramEnded when the program
    // ends during start-up (no language file).
    void start();

    MainWindow& mainWindow() { return *window_; }
    // The simulated instrument, when one is attached.
    sim::Instrument* simulator() { return simulator_.get(); }

  private:
    link::SerialPort* lineFor(int portNumber);

    int simulatedPort_ = 0;
    std::vector<int> mappedPorts_;
    link::PortCatalog ports_;
    link::QtSerialPort devices_;
    std::unique_ptr<sim::Instrument> simulator_;
    link::InMemorySerialPort simulatedLine_;
    RoutingSerialPort port_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace kt520::app
