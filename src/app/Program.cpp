#include "app/Program.h"

#include <QCoreApplication>
#include <algorithm>

#include "lang/LanguageFileLocation.h"

namespace kt520::app {
namespace {

Folders foldersFor(const Options& options) {
    return {lang::languageFileFolder(options.programFolder.value_or(executableFolder()),
                                     options.programFolder.has_value(), options.language),
            options.dataFolder ? dataFolderAt(*options.dataFolder) : defaultDataFolder()};
}

}  // namespace

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

Program::Program(const Options& options, link::EventPump& pump, lang::Operator& op,
                 const link::PortEnumerator& system)
    : simulatedPort_(options.simulatedPort),
      ports_(portCatalogFor(options, system)),
      devices_(ports_.portMap()),
      simulatedLine_(pump),
      port_([this](int portNumber) { return lineFor(portNumber); }) {
    for (const link::PortOverride& entry : options.ports) mappedPorts_.push_back(entry.portNumber);
    if (simulatedPort_ != 0) {
        simulator_ = std::make_unique<sim::Instrument>(options.simulator);
        simulatedLine_.attach(simulatedPort_, *simulator_);
    }
    window_ = std::make_unique<MainWindow>(port_, pump, op, foldersFor(options));
    window_->window().cmbCOM.toolTip = ports_.listing();
}

link::SerialPort* Program::lineFor(int portNumber) {
    if (simulatedPort_ != 0) {
        // With the simulator only it and the ports named on the command line answer.
        if (portNumber == simulatedPort_) return &simulatedLine_;
        const bool mapped =
            std::find(mappedPorts_.begin(), mappedPorts_.end(), portNumber) != mappedPorts_.end();
        return mapped ? &devices_ : nullptr;
    }
    return &devices_;
}

void Program::start() {
    window_->initialize();
    window_->load();
}

}  // namespace kt520::app
