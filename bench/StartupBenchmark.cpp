// Start-up of the main program to its first painted frame, over generated stores of 10,000 and 100,000
// events: defaults, the data loop, the window and its controllers, the first load of calendars and
// events around now, and the first paint of the timeline.
#include "VdirGenerator.h"
#include "app/ApplicationDelegate.h"
#include "base/UserDefaults.h"
#include "store/vdir/VdirCalendarStore.h"
#include "timeline/view/TimelineView.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// Notes the first paint of a widget.
class PaintWatcher : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Cold: no index of the store, every file parsed; warm: the index of the previous start.
void startToFirstFrame(benchmark::State& state, bool warm) {
    QTemporaryDir root, settings;
    // Two years of events around today.
    VdirGenerator::write(root.path(), int(state.range(0)), QDate::currentDate().year() - 1);
    const QString index = VdirIndex::pathFor(root.path());
    if (warm) {
        // Files changed just before the index is written stay out of it.
        std::this_thread::sleep_for(std::chrono::nanoseconds(VdirIndex::SETTLED_NS));
        VdirCalendarStore(root.path()); // writes the index
    }
    for (auto _ : state) {
        if (!warm) {
            state.PauseTiming();
            QFile::remove(index);
            state.ResumeTiming();
        }
        UserDefaults defaults(settings.filePath(QStringLiteral("verdalune.conf")));
        auto delegate = std::make_unique<ApplicationDelegate>(defaults);
        delegate->start(root.path());
        PaintWatcher watcher;
        delegate->mainWindow().timelineView().installEventFilter(&watcher);
        delegate->finishLaunching();
        while (!watcher.painted)
            QApplication::processEvents();
        state.PauseTiming(); // tearing down is not start-up
        state.counters["events_in_model"] = double(delegate->applicationModel().events().size());
        delegate.reset();
        state.ResumeTiming();
    }
}

// A first start (no index): from the start until every file was read and shown, with the longest the
// window went without a turn of its event loop meanwhile.
void coldStartUntilAllShown(benchmark::State& state) {
    QTemporaryDir root, settings;
    VdirGenerator::write(root.path(), int(state.range(0)), QDate::currentDate().year() - 1);
    double longestTurn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(VdirIndex::pathFor(root.path()));
        state.ResumeTiming();
        UserDefaults defaults(settings.filePath(QStringLiteral("verdalune.conf")));
        auto delegate = std::make_unique<ApplicationDelegate>(defaults);
        delegate->start(root.path());
        delegate->finishLaunching();
        QElapsedTimer sinceTurn;
        sinceTurn.start();
        QTimer turns;
        QObject::connect(&turns, &QTimer::timeout, [&] {
            longestTurn = std::max(longestTurn, double(sinceTurn.nsecsElapsed()) / 1e6);
            sinceTurn.restart();
        });
        turns.start(0);
        while (delegate->store().isReading())
            QApplication::processEvents();
        state.PauseTiming();
        state.counters["events_in_model"] = double(delegate->applicationModel().events().size());
        state.counters["longest_turn_ms"] = longestTurn;
        delegate.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(coldStartUntilAllShown)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(10000)->Arg(100000);

void coldStartToFirstFrame(benchmark::State& state) {
    startToFirstFrame(state, false);
}

void warmStartToFirstFrame(benchmark::State& state) {
    startToFirstFrame(state, true);
}

BENCHMARK(coldStartToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(10000)->Arg(100000);
BENCHMARK(warmStartToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5)->Arg(10000)->Arg(100000);

int main(int argc, char** argv) {
    return runOffscreenBenchmarks<QApplication>(argc, argv);
}
