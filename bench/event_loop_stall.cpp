// The longest time the window's event loop stands still during a full
// measurement run against the built-in simulator: a 1 ms timer ticks all
// through the run, and every gap between two ticks beyond its interval is
// time in which the window could neither repaint nor take a click.
//   xvfb-run -a build/bin/bench_event_loop_stall [kt520 options]
// Default options: --simulate at the real wire rate into a temporary folder.
// On a loaded machine a gap also holds the time the scheduler gave to other
// programs, so the processor time spent inside the longest gaps is reported as
// well: that part is the program's own.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "ui/desktop/Desktop.h"

int main(int argc, char** argv) {
    using namespace kt520;
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QTemporaryDir data;
    std::vector<std::string> arguments{argv[0], "--simulate", "--data-folder",
                                       data.path().toStdString()};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    const app::ParsedCommandLine parsed = app::parseCommandLine(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "bench_event_loop_stall: %s\n", parsed.error.c_str());
        return 2;
    }
    ui::desktop::DesktopSession session(parsed.options);
    if (!session.start()) return 1;
    session.window().show();

    std::vector<qint64> gaps;
    double longestCpuMs = 0;  // processor time spent inside one gap
    QElapsedTimer clock;
    qint64 last = -1;
    std::clock_t lastCpu = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const std::clock_t cpu = std::clock();
        if (last >= 0) {
            gaps.push_back(now - last);
            longestCpuMs = std::max(longestCpuMs,
                                    1000.0 * static_cast<double>(cpu - lastCpu) / CLOCKS_PER_SEC);
        }
        last = now;
        lastCpu = cpu;
    });
    clock.start();
    probe.start(1);
    QElapsedTimer run;
    run.start();
    session.window().findChild<QPushButton*>("cmdSTART")->click();  // the whole run
    const double seconds = static_cast<double>(run.elapsed()) / 1000.0;
    probe.stop();

    std::sort(gaps.begin(), gaps.end());
    auto ms = [](qint64 ns) { return static_cast<double>(ns) / 1e6; };
    const auto over = [&](double limitMs) {
        return std::count_if(gaps.begin(), gaps.end(), [&](qint64 g) { return ms(g) > limitMs; });
    };
    if (gaps.empty()) {
        std::fprintf(stderr, "bench_event_loop_stall: the probe never ticked\n");
        return 1;
    }
    std::printf("run: %.1f s, %zu ticks of a 1 ms probe\n", seconds, gaps.size());
    std::printf("gap between ticks: median %.2f ms, 99th percentile %.2f ms, longest %.2f ms\n",
                ms(gaps[gaps.size() / 2]), ms(gaps[gaps.size() * 99 / 100]), ms(gaps.back()));
    std::printf("gaps over 16 ms: %td, over 50 ms: %td\n", over(16), over(50));
    std::printf("most processor time inside one gap: %.1f ms\n", longestCpuMs);
    std::printf("longest stall %s the 50 ms goal\n", ms(gaps.back()) < 50 ? "meets" : "MISSES");
    return 0;
}
