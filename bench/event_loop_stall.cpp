// The longest time the window's event loop stands still during a whole
// measurement run at the real wire rate: a 1 ms precise timer ticks from the
// click on Start until the run's data are in the plots, and every gap between
// two ticks beyond its interval is time in which the window could neither
// repaint nor take a click.
//   xvfb-run -a build/bin/bench_event_loop_stall [--builtin] [kt520 options]
// The instrument is kt520-sim (beside this program) on a pseudo-terminal, in a
// process of its own as a real instrument computes on its own processor;
// --builtin uses the built-in simulator on the window's thread instead.
// On a loaded machine a gap also holds the time the scheduler gave to other
// programs, so the processor time spent inside the longest gaps is reported as
// well: that part is the program's own.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "ui/desktop/Desktop.h"

namespace {

struct Gap {
    qint64 ns = 0;
    qint64 atNs = 0;   // since the click on Start
    double cpuMs = 0;  // processor time of this process inside the gap
    QString status;    // lblCMT(4) when the gap ended
};

double ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

// Starts kt520-sim and returns the device it serves, or an empty string.
std::string startInstrument(QProcess& instrument) {
    instrument.start(QCoreApplication::applicationDirPath() + "/kt520-sim", {});
    if (!instrument.waitForStarted(5000)) return {};
    while (!instrument.canReadLine())
        if (!instrument.waitForReadyRead(5000)) return {};
    return instrument.readLine().trimmed().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kt520;
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QTemporaryDir data;
    std::vector<std::string> arguments{argv[0], "--data-folder", data.path().toStdString()};
    std::vector<std::string> extra(argv + 1, argv + argc);
    const bool builtin = std::erase(extra, "--builtin") > 0;
    QProcess instrument;
    if (builtin) {
        arguments.push_back("--simulate");
    } else {
        const std::string device = startInstrument(instrument);
        if (device.empty()) {
            std::fprintf(stderr, "bench_event_loop_stall: kt520-sim did not start\n");
            return 1;
        }
        arguments.insert(arguments.end(), {"--port", "COM1=" + device});
    }
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const app::ParsedCommandLine parsed = app::parseCommandLine(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "bench_event_loop_stall: %s\n", parsed.error.c_str());
        return 2;
    }
    ui::desktop::Desktop desktop(parsed.options);
    if (!desktop.start()) return 1;
    desktop.window().show();
    auto* status = desktop.window().findChild<QLabel*>("lblCMT(4)");

    // Search, then the run from Start until half a second after it ended, so
    // that the plots have been drawn.
    enum class Step { Searching, Running, Drawing };
    Step step = Step::Searching;
    std::vector<Gap> gaps;
    QElapsedTimer clock;
    qint64 last = -1, startedAt = 0, endedAt = 0;
    std::clock_t lastCpu = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const std::clock_t cpu = std::clock();
        if (step == Step::Searching) {
            if (!desktop.controller().idle()) return;
            step = Step::Running;
            startedAt = now;
            desktop.window().findChild<QPushButton*>("cmdSTART")->click();
        } else {
            gaps.push_back({now - last, now - startedAt,
                            1000.0 * static_cast<double>(cpu - lastCpu) / CLOCKS_PER_SEC,
                            status->text()});
            if (step == Step::Running && !desktop.controller().session().runPending()) {
                step = Step::Drawing;
                endedAt = now;
            }
            if (step == Step::Drawing && ms(now - endedAt) > 500) QCoreApplication::exit(0);
        }
        last = now;
        lastCpu = cpu;
    });
    clock.start();
    probe.start(1);
    QApplication::exec();
    if (!builtin) {
        instrument.terminate();
        instrument.waitForFinished(5000);
    }
    if (gaps.empty()) {
        std::fprintf(stderr, "bench_event_loop_stall: the probe never ticked\n");
        return 1;
    }

    std::vector<Gap> byLength = gaps;
    std::sort(byLength.begin(), byLength.end(),
              [](const Gap& a, const Gap& b) { return a.ns > b.ns; });
    std::vector<qint64> sorted;
    for (const Gap& gap : gaps) sorted.push_back(gap.ns);
    std::sort(sorted.begin(), sorted.end());
    const auto over = [&](double limitMs) {
        return std::count_if(sorted.begin(), sorted.end(),
                             [&](qint64 g) { return ms(g) > limitMs; });
    };
    std::printf("instrument: %s\n",
                builtin ? "built-in simulator" : "kt520-sim on a pseudo-terminal");
    std::printf("run: %.1f s, then 0.5 s of drawing; %zu ticks of a 1 ms probe\n",
                ms(endedAt - startedAt) / 1000, gaps.size());
    std::printf("gap between ticks: median %.2f ms, 99th percentile %.2f ms, longest %.2f ms\n",
                ms(sorted[sorted.size() / 2]), ms(sorted[sorted.size() * 99 / 100]),
                ms(sorted.back()));
    std::printf("gaps over 16 ms: %td, over 50 ms: %td\n", over(16), over(50));
    const auto busiest = std::max_element(
        gaps.begin(), gaps.end(), [](const Gap& a, const Gap& b) { return a.cpuMs < b.cpuMs; });
    std::printf("most processor time inside one gap: %.2f ms (a gap of %.2f ms at %.3f s, %s)\n",
                busiest->cpuMs, ms(busiest->ns), ms(busiest->atNs) / 1000,
                qPrintable(busiest->status));
    std::printf("longest gaps (at, length, processor time inside, status):\n");
    for (std::size_t i = 0; i < std::min<std::size_t>(5, byLength.size()); ++i)
        std::printf("  %8.3f s  %6.2f ms  %6.2f ms  %s\n", ms(byLength[i].atNs) / 1000,
                    ms(byLength[i].ns), byLength[i].cpuMs, qPrintable(byLength[i].status));
    std::printf("longest stall %s the 16 ms goal\n", ms(sorted.back()) < 16 ? "meets" : "MISSES");
    return 0;
}
