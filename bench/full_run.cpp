// A full measurement with the longest profile the conditions allow (30000
// measured points) against the simulated instrument at the real wire rate:
// the simulated line is paced at 28800 baud and the program's event loop runs on the
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
#include <functional>
#include <string>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

#include "async/qt/QtEventLoop.h"
#include "async/qt/QtWorker.h"
#include "conditions/ConditionPanel.h"
#include "lang/MessageCatalog.h"
#include "link/InMemoryLine.h"
#include "rules/ConditionRules.h"
#include "session/Session.h"
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
    std::optional<link::Millis> arrivalOf(std::size_t count, link::Millis now) override {
        const auto start = Clock::now();
        auto arrival = inner_.arrivalOf(count, now);
        instrumentTime += Clock::now() - start;
        return arrival;
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

// Counts the boxes and ends the application when the run is over.
class Observer : public session::SessionObserver {
  public:
    void showMessage(const session::Message& message) override {
        std::printf("message: [%s] %s\n", message.title.c_str(), message.text.c_str());
        ++shown;
    }
    void lengthRefused() override { ++shown; }
    void statusText(const std::string&) override {}
    void statusList(const std::vector<std::string>&) override {}
    void progress(const session::Progress&) override {}
    void identified(const link::ModelInfo&, bool) override {
        if (onIdentified) onIdentified();
    }
    void connected(int, link::LinkState) override {}
    void actionStarted(session::Action) override {}
    void actionEnded(session::Action action) override {
        if (action == session::Action::Start) QCoreApplication::exit(0);
        if (action == session::Action::Search) searched = true;
    }
    void runBusy(bool) override {}
    void runEnded(const measurement::RunRecord& record) override { files = record.files.size(); }
    void programEnds() override { QCoreApplication::exit(1); }

    std::function<void()> onIdentified;
    int shown = 0;
    bool searched = false;
    std::size_t files = 0;
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
    async::QtEventLoop loop;  // the program's own loop on the real clock
    link::InMemoryLine line(loop);
    line.attach(1, instrument);
    lang::MessageCatalog catalog;
    catalog.load("E");
    conditions::ConditionPanel panel;
    rules::ConditionRules rules(panel);
    panel.setRules(rules);
    Observer observer;
    async::QtWorker worker;
    session::Session session(
        {loop, worker, line, panel, catalog, observer, dir.path().toStdString(), "E"});

    // Connect first; the run is measured on its own.
    session.post({session::Action::Search});
    while (!observer.searched) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    // Cut-off 0.8 mm (0.5 um pitch), 2CR, pre/post travel on, arbitrary length
    // 14.2 mm at 1 mm/s: 1600 + 28400 = 30000 measured points, the most a
    // transfer may hold. The rules would tie so long a length to a longer
    // cut-off and no travel, so the panel is set past them once the Start's
    // identification has applied them; the simulated instrument takes it.
    observer.onIdentified = [&panel] {
        conditions::ConditionState& state = panel.edit();
        state.cutOff.set(conditions::CutOff::Mm0_8);
        state.sections.set(conditions::Sections::Arbitrary);
        state.lengthText = "14.2";
        state.speed.set(conditions::Speed::Mm1);
        state.prePost.set(conditions::PrePost::On);
        state.speedSuffix = conditions::SpeedSuffix::Five;
    };
    const long long bytesBefore = instrument.toInstrument + instrument.toHost;
    const long long commandsBefore = instrument.commands;
    const auto instrumentBefore = instrument.instrumentTime;

    const double cpuBefore = cpuSeconds();
    const auto start = Clock::now();
    session.post({session::Action::Start});
    QCoreApplication::exec();
    const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double cpuMs = (cpuSeconds() - cpuBefore) * 1000.0;
    const double instrumentMs = (instrument.instrumentTime - instrumentBefore).count();

    const long long bytes = instrument.toInstrument + instrument.toHost - bytesBefore;
    const long long commands = instrument.commands - commandsBefore;
    const double wireMs = static_cast<double>(bytes) * kByteTimeMs;
    const double answerMs = static_cast<double>(commands) * kTurnaroundMs;
    const auto points = simulated.measuredProfile().size();
    std::printf("measured points       %zu (evaluation %zu)\n", points,
                simulated.evaluationProfile().size());
    std::printf("files written         %zu\n", observer.files);
    std::printf("commands              %lld\n", commands);
    std::printf("bytes on the line     %lld\n", bytes);
    std::printf("wall time             %10.1f ms\n", wallMs);
    std::printf("wire time             %10.1f ms  (wall is %+.2f %% of it)\n", wireMs,
                (wallMs / wireMs - 1.0) * 100.0);
    std::printf("wire + answer delays  %10.1f ms  (wall is %+.2f %% of it)\n", wireMs + answerMs,
                (wallMs / (wireMs + answerMs) - 1.0) * 100.0);
    std::printf("CPU time, all         %10.1f ms  (%.2f %% of wall)\n", cpuMs,
                cpuMs / wallMs * 100.0);
    std::printf("  in the simulator    %10.1f ms\n", instrumentMs);
    std::printf("  in the program      %10.1f ms  (%.3f %% of wall)\n", cpuMs - instrumentMs,
                (cpuMs - instrumentMs) / wallMs * 100.0);
    std::printf("peak memory           %10ld KiB\n", peakMemoryKiB());
    return observer.shown == 0 && observer.files == 5 ? 0 : 1;
}
