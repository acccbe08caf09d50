#include "app/Program.h"

#include <QCoreApplication>
#include <algorithm>

namespace kt520::app {
namespace {

link::PortMap portMapFor(const Options& options) {
    link::PortMap map;
    for (const link::PortOverride& entry : options.ports) map.apply(entry);
    return map;
}

}  // namespace

std::string executableFolder() {
    if (QCoreApplication::instance() == nullptr) return ".";
    return QCoreApplication::applicationDirPath().toStdString();
}

Program::Program(const Options& options, async::EventLoop& loop)
    : options_(options),
      devices_(loop, portMapFor(options)),
      simulatedLine_(loop),
      line_([this](int portNumber) { return lineFor(portNumber); }) {
    if (options_.simulatedPort != 0) {
        simulator_ = std::make_unique<sim::Instrument>(options_.simulator);
        simulatedLine_.attach(options_.simulatedPort, *simulator_);
    }
}

Folders Program::folders() const {
    return {options_.programFolder.value_or(executableFolder()),
            options_.dataFolder ? dataFolderAt(*options_.dataFolder) : defaultDataFolder()};
}

link::SerialLine* Program::lineFor(int portNumber) {
    if (options_.simulatedPort == 0) return &devices_;
    // With the simulator only it and the ports named on the command line answer.
    if (portNumber == options_.simulatedPort) return &simulatedLine_;
    const bool mapped = std::any_of(
        options_.ports.begin(), options_.ports.end(),
        [portNumber](const link::PortOverride& entry) { return entry.portNumber == portNumber; });
    return mapped ? &devices_ : nullptr;
}

}  // namespace kt520::app
