// kt520: the desktop program; with --headless the scripted driver.
#include <QGuiApplication>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "app/CommandLine.h"
#include "app/EventWriter.h"
#include "app/HeadlessDriver.h"
#include "app/HistorySetup.h"
#include "app/Program.h"
#include "async/qt/QtEventLoop.h"
#include "async/qt/QtWorker.h"

#ifdef KT520_HAS_DESKTOP
#include "ui/desktop/Desktop.h"
#endif

namespace {

using namespace kt520;

int runHeadless(int& argc, char** argv, const app::Options& options) {
    // The reports need fonts, and so a GUI application; its offscreen
    // platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    std::ifstream file;
    if (options.scriptFile) {
        file.open(*options.scriptFile, std::ios::binary);
        if (!file) {
            std::cerr << "kt520: cannot read the script " << *options.scriptFile << "\n";
            return app::kExitScriptError;
        }
    }
    std::istream& script = options.scriptFile ? file : std::cin;

    async::QtEventLoop loop;
    async::QtWorker worker;
    app::Program program(options, loop);
    const app::Folders folders = program.folders();
    std::string error;
    const auto historyTarget = app::historyTarget(options, folders.data, error);
    if (!historyTarget) {
        std::cerr << "kt520: " << error << "\n";
        return app::kExitScriptError;
    }
    history::History history(*historyTarget, folders.data.path());
    app::EventWriter events(stdout);
    app::HeadlessDriver driver(loop, events, script);
    app::Controller controller(loop, worker, program.line(), folders, driver);
    app::RunKeeper keeper(history, driver,
                          [&controller] { return controller.languageCode() == "J"; });
    controller.setKeeper(&keeper);
    driver.setKeeper(&keeper);
    controller.form().cmbCOM.toolTip = program.portListing();
    std::optional<int> status;
    driver.run(controller, [&status](int exitStatus) {
        status = exitStatus;
        QCoreApplication::exit(exitStatus);
    });
    if (!status) QCoreApplication::exec();
    return status.value_or(app::kExitOk);
}

}  // namespace

int main(int argc, char** argv) {
    const app::ParsedCommandLine parsed =
        app::parseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (!parsed.helpText.empty()) {
        std::cout << parsed.helpText;
        return 0;
    }
    if (!parsed.error.empty()) {
        std::cerr << "kt520: " << parsed.error << "\n";
        return app::kExitScriptError;
    }
    if (parsed.options.listPorts) {
        std::cout << app::portCatalogFor(parsed.options, link::QtPortEnumerator()).listing()
                  << "\n";
        return 0;
    }
    if (parsed.options.headless) return runHeadless(argc, argv, parsed.options);
#ifdef KT520_HAS_DESKTOP
    return ui::desktop::runDesktop(argc, argv, parsed.options);
#else
    std::cerr << "kt520: this build has no window; run it with --headless\n";
    return 1;
#endif
}
