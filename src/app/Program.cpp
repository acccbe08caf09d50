#include "app/Program.h"

#include <QCoreApplication>

#include "lang/LanguageFileLocation.h"

namespace kt520::app {

link::PortCatalog portCatalogFor(const Options& options, const link::PortEnumerator& system) {
    link::PortCatalog catalog;
    for (const link::PortOverride& entry : options.ports) catalog.pin(entry);
    // With the simulator only it and the ports named on the command line answer.
    if (options.simulatedPort != 0)
        catalog.pin({options.simulatedPort, "built-in simulator"});
    else
        catalog.addDetected(system.devices());
    return catalog;
}

std::string executableFolder() {
    if (QCoreApplication::instance() == nullptr) return ".";
    return QCoreApplication::applicationDirPath().toStdString();
}

Program::Program(const Options& options, async::EventLoop& loop, const link::PortEnumerator& system)
    : options_(options),
      ports_(portCatalogFor(options, system)),
      devices_(loop, ports_.portMap()),
      simulatedLine_(loop),
      line_([this](int portNumber) { return lineFor(portNumber); }) {
    if (options_.simulatedPort != 0) {
        simulator_ = std::make_unique<sim::Instrument>(options_.simulator);
        simulatedLine_.attach(options_.simulatedPort, *simulator_);
    }
}

Folders Program::folders() const {
    return {lang::languageFileFolder(options_.programFolder.value_or(executableFolder()),
                                     options_.programFolder.has_value(), options_.language),
            options_.dataFolder ? dataFolderAt(*options_.dataFolder) : defaultDataFolder()};
}

link::SerialLine* Program::lineFor(int portNumber) {
    if (portNumber == options_.simulatedPort) return &simulatedLine_;
    // A number without a device opens nothing, as an absent COM port does.
    return ports_.deviceFor(portNumber).empty() ? nullptr : &devices_;
}

}  // namespace kt520::app
