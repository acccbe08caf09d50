// kt520-screenshots: shows the window as kt520 would, then saves pictures of
// it before a run, while the profile arrives and after the run.
//   kt520-screenshots OUTPUT_PREFIX [kt520 options, e.g. --simulate]
// writes OUTPUT_PREFIX-before.png, -during.png and -after.png.
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <iostream>

#include "ui/desktop/Desktop.h"

namespace {

void settle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool save(QWidget& window, const QString& path) {
    const bool saved = window.grab().save(path);
    std::cout << (saved ? "saved " : "could not save ") << path.toStdString() << "\n";
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kt520;
    if (argc < 2) {
        std::cerr << "usage: kt520-screenshots OUTPUT_PREFIX [kt520 options]\n";
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    std::vector<std::string> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    const app::ParsedCommandLine parsed = app::parseCommandLine(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "kt520-screenshots: " << parsed.error << "\n";
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    ui::desktop::DesktopSession session(parsed.options);
    if (!session.start()) return 1;
    ui::desktop::DesktopWindow& window = session.window();
    window.show();
    settle(500);
    bool ok = save(window, prefix + "-before.png");

    auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
    bool during = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!during && bar->isVisible() && bar->value() > bar->maximum() / 3) {
            during = true;
            ok &= save(window, prefix + "-during.png");
        }
    });
    watch.start(20);
    window.findChild<QPushButton*>("cmdSTART")->click();  // returns when the run has ended
    watch.stop();
    settle(500);
    ok &= save(window, prefix + "-after.png");
    return ok ? 0 : 1;
}
