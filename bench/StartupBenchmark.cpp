// Start-up of the main program to its first painted frame, over the 10,000-event store of the store
// benchmark: defaults, the data loop, the window and its controllers, the first load of calendars and
// events around now, and the first paint of the timeline.
#include "VdirGenerator.h"
#include "app/ApplicationDelegate.h"
#include "base/UserDefaults.h"
#include "store/vdir/VdirCalendarStore.h"
#include "timeline/view/TimelineView.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <memory>

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
    VdirGenerator::write(root.path(), 10000, QDate::currentDate().year() - 1);
    const QString index = VdirIndex::pathFor(root.path());
    if (warm)
        VdirCalendarStore(root.path()); // writes the index
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

} // namespace

void coldStartToFirstFrame(benchmark::State& state) {
    startToFirstFrame(state, false);
}

void warmStartToFirstFrame(benchmark::State& state) {
    startToFirstFrame(state, true);
}

BENCHMARK(coldStartToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(warmStartToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    return runOffscreenBenchmarks<QApplication>(argc, argv);
}
