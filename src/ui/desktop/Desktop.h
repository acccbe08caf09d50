#pragma once
// The windowed program: the core's event loop on Qt's, the serial lines, the
// Qt window and the controller that fills its forms, built in that order.
#include <QString>
#include <string>

#include "app/CommandLine.h"
#include "app/Controller.h"
#include "app/Program.h"
#include "app/RunKeeper.h"
#include "async/qt/QtEventLoop.h"
#include "async/qt/QtWorker.h"
#include "history/History.h"
#include "ui/desktop/MainWindow.h"

namespace kt520::ui::desktop {

// The program with its window. A QApplication must exist.
class Desktop {
  public:
    explicit Desktop(const app::Options& options);

    // The controller's start-up; the search for the instrument goes on
    // afterwards, with the window already shown. False when the program
    // ended during it (the window is then waiting for its message to be read).
    bool start();

    MainWindow& window() { return window_; }
    app::Controller& controller() { return controller_; }
    app::Program& program() { return program_; }
    async::QtEventLoop& loop() { return loop_; }
    app::RunKeeper& keeper() { return keeper_; }

  private:
    async::QtEventLoop loop_;
    async::QtWorker worker_;
    app::Program program_;
    MainWindow window_;
    app::Controller controller_;
    std::string historyProblem_;  // a --history-db URL that names no server
    history::History history_;
    app::RunKeeper keeper_;
};

// Creates the QApplication (none may exist yet), starts the program, shows the
// window and runs it until the program ends. Returns the exit status.
int runDesktop(int& argc, char** argv, const app::Options& options);

// The program's version as the title shows it after "Ver": "1.00".
QString versionText();

// The installed family for a face name of the forms: "ＭＳゴシック" becomes an
// installed Japanese face where that one is missing; empty stays empty.
QString fontFamilyFor(const std::string& face);

}  // namespace kt520::ui::desktop
