// A full measurement with the longest profile the conditions allow (30000
// measured points) against the simulated instrument at the real wire rate:
// the simulated line is paced at 28800 baud and the event pump runs on the
// real clock. Reports the wall time against the time the bytes exchanged need
// on the wire, the program's CPU time and its peak memory.
// Run: cmake --build build --target bench_full_run && build/bin/bench_full_run
// (about two minutes; see docs/benchmarks.md).
#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

#include "app/QtEventPump.h"
#include "conditions/ConditionLayout.h"
#include "conditions/ConditionPanel.h"
#include "lang/MessageCatalog.h"
#include "lang/Operator.h"
#include "link/InMemorySerialPort.h"
#include "link/InstrumentLink.h"
#include "measurement/MeasurementRun.h"
#include "rules/ConditionRules.h"
#include "sim/Instrument.h"

namespace {

using namespace kt520;
using Clock = std::chrono::steady_clock;

constexpr double kByteTimeMs = 11.0 * 1000.0 / 28800.0;  // start, 8 data, parity, stop
constexpr double kTurnaroundMs = 2.0;                    // the instrument's answer delay

// Counts every byte that crosses the line and every command, and the time
// spent inside the simulated instrument, which is not the program's.
class CountingPeer : public link::LinePeer {
  public:
    explicit CountingPeer(link::LinePeer& inner) : inner_(inner) {}
    void receiveFromHost(std::string_view bytes, link::Millis now) override {
        toInstrument += static_cast<long long>(bytes.size());
        for (char c : bytes) commands += c == '\r';
        const auto start = Clock::now();
        inner_.receiveFromHost(bytes, now);
        instrumentTime += Clock::now() - start;
    }
    std::string takeForHost(link::Millis now) override {
        const auto start = Clock::now();
        std::string bytes = inner_.takeForHost(now);
        instrumentTime += Clock::now() - start;
        toHost += static_cast<long long>(bytes.size());
        return bytes;
    }
    bool deviceReady() const override { return inner_.deviceReady(); }
    void hostOpened(bool open) override { inner_.hostOpened(open); }

    long long toInstrument = 0;
    long long toHost = 0;
    long long commands = 0;
    std::chrono::duration<double, std::milli> instrumentTime{};

  private:
    link::LinePeer& inner_;
};

class ConsoleOperator : public lang::Operator {
  public:
    void showMessage(const std::string& text, const std::string& title,
                     lang::MessageIcon) override {
        std::printf("message: [%s] %s\n", title.c_str(), text.c_str());
        ++shown;
    }
    void beep() override {}
    void endProgram() override {}
    int shown = 0;
};

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

long peakMemoryKiB() {
#if defined(__unix__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return -1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    sim::Instrument simulated;
    CountingPeer instrument(simulated);
    app::QtEventPump pump;  // the program's own pump on the real clock
    link::InMemorySerialPort port(pump);
    port.attach(1, instrument);
    ConsoleOperator op;
    lang::MessageCatalog catalog;
    catalog.load("E");
    ui::MainWindowModel window;
    link::ModelInfo model{"KT520", 1311, 50.0f, 3};
    link::InstrumentLink line(port, pump, op, catalog);
    conditions::ConditionLayouts layouts;
    layouts.prepareConditionLayouts(model.romVersion);
    conditions::ConditionSet conditionSet;
    rules::ConditionRules rules(window, model, op, catalog);
    conditions::ConditionPanel panel(window, model, rules);
    measurement::ProfileData profile;
    const std::string language = "E";
    measurement::MeasurementRun run({window, line, pump, op, catalog, model, conditionSet, layouts,
                                     panel, rules, profile, language, dir.path().toStdString(),
                                     nullptr, nullptr});

    // Cut-off 0.8 mm (0.5 um pitch), 2CR, pre/post travel on, arbitrary length
    // 14.2 mm at 1 mm/s: 1600 + 28400 = 30000 measured points.
    window.fstrSPD_LIMIT = "4";
    window.optCUT.select(3);
    window.optSCT.select(6);
    window.txtLENG.setText("14.2");
    window.optSPD.select(4);
    window.optTRA.select(1);
    port.setPortNumber(1);
    port.open();
    line.linkState = "OK";

    const double cpuBefore = cpuSeconds();
    const auto start = Clock::now();
    run.runMeasurement(measurement::RunKind::NewMeasurement);
    const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double cpuMs = (cpuSeconds() - cpuBefore) * 1000.0;
    const double instrumentMs = instrument.instrumentTime.count();

    const long long bytes = instrument.toInstrument + instrument.toHost;
    const double wireMs = static_cast<double>(bytes) * kByteTimeMs;
    const double answerMs = static_cast<double>(instrument.commands) * kTurnaroundMs;
    const auto points = simulated.measuredProfile().size();
    std::printf("measured points       %zu (evaluation %zu)\n", points,
                simulated.evaluationProfile().size());
    std::printf(
        "files written         %s\n",
        std::filesystem::exists(std::filesystem::path(dir.path().toStdString()) / "Measured.csv")
            ? "yes"
            : "NO");
    std::printf("commands              %lld\n", instrument.commands);
    std::printf("bytes on the line     %lld (to instrument %lld, to host %lld)\n", bytes,
                instrument.toInstrument, instrument.toHost);
    std::printf("wall time             %10.1f ms\n", wallMs);
    std::printf("wire time             %10.1f ms  (wall is %+.2f %% of it)\n", wireMs,
                (wallMs / wireMs - 1.0) * 100.0);
    std::printf("wire + answer delays  %10.1f ms  (wall is %+.2f %% of it)\n", wireMs + answerMs,
                (wallMs / (wireMs + answerMs) - 1.0) * 100.0);
    // The simulated instrument computes its profiles on the program's thread;
    // a real one does that on its own processor while the line keeps going.
    const double programWallMs = wallMs - instrumentMs;
    std::printf("wall less simulator   %10.1f ms  (%+.2f %% of wire, %+.2f %% of wire + delays)\n",
                programWallMs, (programWallMs / wireMs - 1.0) * 100.0,
                (programWallMs / (wireMs + answerMs) - 1.0) * 100.0);
    std::printf("CPU time, all         %10.1f ms  (%.2f %% of wall)\n", cpuMs,
                cpuMs / wallMs * 100.0);
    std::printf("  in the simulator    %10.1f ms\n", instrumentMs);
    std::printf("  in the program      %10.1f ms  (%.2f %% of wall)\n", cpuMs - instrumentMs,
                (cpuMs - instrumentMs) / wallMs * 100.0);
    std::printf("peak memory           %10ld KiB\n", peakMemoryKiB());
    return op.shown == 0 && points > 0 ? 0 : 1;
}
