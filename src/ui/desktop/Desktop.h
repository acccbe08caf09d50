#pragma once
// The windowed program: the controller of fomMAIN shown in a Qt window whose
// event loop every wait on the instrument keeps running.
#include <QString>
#include <functional>
#include <memory>

#include "app/MainWindow.h"
#include "lang/Operator.h"
#include "link/EventPump.h"

namespace kt520::ui::desktop {

// Makes the controller around the desktop's event pump and operator; the
// caller decides the serial port (a real one or the built-in simulator) and
// the folders.
using ControllerFactory =
    std::function<std::unique_ptr<app::MainWindow>(link::EventPump&, lang::Operator&)>;

// Creates the QApplication (none may exist yet), runs the start-up of the
// controller, shows the window and runs it until the program ends. Returns
// the exit status.
int runDesktop(int& argc, char** argv, const ControllerFactory& makeController);

// The title shown after the caption of the language file: the program's version.
QString versionText();

// The installed family for a face name of the models: "ＭＳゴシック" becomes an
// installed Japanese face where that one is missing; empty stays empty.
QString fontFamilyFor(const std::string& face);

}  // namespace kt520::ui::desktop
