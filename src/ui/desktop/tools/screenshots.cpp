// kt520-screenshots: shows the window as kt520 would, then saves pictures of
// it once the instrument is found, while the profile arrives and after the run,
// and of the screen with the card dialog open over it.
//   kt520-screenshots OUTPUT_PREFIX [--window-size WxH] [kt520 options, e.g. --simulate]
// writes OUTPUT_PREFIX-before.png, -during.png, -after.png and -card.png. With
// --window-size the window is held at that size whatever its layout asks for,
// as a screen of that size would show it.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <iostream>

#include "ui/desktop/Desktop.h"

namespace {

bool save(QWidget& window, const QString& path) {
    const bool saved = window.grab().save(path);
    std::cout << (saved ? "saved " : "could not save ") << path.toStdString() << "\n";
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kt520;
    if (argc < 2) {
        std::cerr << "usage: kt520-screenshots OUTPUT_PREFIX [--window-size WxH] [kt520 options]\n";
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    int first = 2;
    QSize size;
    if (argc > 3 && std::string(argv[2]) == "--window-size") {
        const auto match = QRegularExpression("^(\\d+)x(\\d+)$").match(argv[3]);
        if (!match.hasMatch()) {
            std::cerr << "kt520-screenshots: --window-size takes WIDTHxHEIGHT\n";
            return 2;
        }
        size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        first = 4;
    }
    std::vector<std::string> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + first, argv + argc);
    const app::ParsedCommandLine parsed = app::parseCommandLine(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "kt520-screenshots: " << parsed.error << "\n";
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    ui::desktop::Desktop desktop(parsed.options);
    if (!desktop.start()) return 1;
    ui::desktop::MainWindow& window = desktop.window();
    if (size.isValid()) window.setFixedSize(size);
    window.show();

    // Each step waits for the window to have shown what it pictures.
    enum class Step { Searching, Running, Settling, Card };
    Step step = Step::Searching;
    bool ok = true;
    bool during = false;
    QElapsedTimer since;
    since.start();
    auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        constexpr qint64 kSettleMs = 500;
        switch (step) {
            case Step::Searching:
                if (!desktop.controller().idle() || since.elapsed() < kSettleMs) return;
                ok &= save(window, prefix + "-before.png");
                window.findChild<QPushButton*>("cmdSTART")->click();
                step = Step::Running;
                return;
            case Step::Running:
                if (!during && bar->isVisible() && bar->value() > bar->maximum() / 3) {
                    during = true;
                    ok &= save(window, prefix + "-during.png");
                }
                if (desktop.controller().session().runPending()) return;
                step = Step::Settling;
                since.restart();
                return;
            case Step::Settling:
                if (since.elapsed() < kSettleMs) return;
                ok &= save(window, prefix + "-after.png");
                window.findChild<QPushButton*>("cmdCARD")->click();
                step = Step::Card;
                since.restart();
                return;
            case Step::Card: {
                if (since.elapsed() < kSettleMs) return;
                auto* card = window.findChild<QDialog*>("fomCARD");
                const bool shown = card && card->isVisible();
                // The whole screen: whether the dialog fits it shows too.
                const QString path = prefix + "-card.png";
                const bool saved = shown && window.screen()->grabWindow(0).save(path);
                std::cout << (saved ? "saved " : "could not save ") << path.toStdString() << "\n";
                if (!during) std::cout << "the profile never showed its progress\n";
                QCoreApplication::exit(ok && saved && during ? 0 : 1);
                return;
            }
        }
    });
    watch.start(20);
    return QApplication::exec();
}
