#pragma once
// The windowed program: the main window's controller shown in a Qt window
// whose event loop every wait on the instrument keeps running.
#include <QString>
#include <string>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/QtEventPump.h"
#include "ui/desktop/DesktopOperator.h"
#include "ui/desktop/DesktopWindow.h"

namespace kt520::ui::desktop {

// The program with its window. A QApplication must exist.
class DesktopSession {
  public:
    explicit DesktopSession(const app::Options& options);

    // The start-up (language, search for the instrument, data folder), before
    // the window is shown. False when the program ended during it.
    bool start();

    DesktopWindow& window() { return window_; }
    app::Program& program() { return program_; }

  private:
    app::QtEventPump pump_;
    DesktopOperator operator_;
    app::Program program_;
    DesktopWindow window_;
};

// Creates the QApplication (none may exist yet), starts the program, shows the
// window and runs it until the program ends. Returns the exit status.
int runDesktop(int& argc, char** argv, const app::Options& options);

// The program's version as the title shows it after "Ver": "1.00".
QString versionText();

// The installed family for a face name of the models: "ＭＳゴシック" becomes an
// installed Japanese face where that one is missing; empty stays empty.
QString fontFamilyFor(const std::string& face);

}  // namespace kt520::ui::desktop
