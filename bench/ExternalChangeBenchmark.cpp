// Another program rewrites one event file of the 10,000-event store while the main program shows it: the
// store reads the change, the model takes it, and the timeline paints its next frame with the new title.
// 0: the store is told at once (what the watcher does after its coalescing delay); 1: through the watcher,
// its delay included.
#include "VdirGenerator.h"
#include "app/ApplicationDelegate.h"
#include "base/UserDefaults.h"
#include "timeline/view/TimelineView.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// Notes each paint of the timeline that comes once the condition holds.
class PaintWatcher : public QObject {
public:
    std::function<bool()> condition = [] { return true; };
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && condition())
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

void externalChangeToRepaintedTimeline(benchmark::State& state) {
    const bool throughWatcher = state.range(0) == 1;
    QTemporaryDir root, settings;
    VdirGenerator::write(root.path(), 10000, QDate::currentDate().year() - 1);
    UserDefaults defaults(settings.filePath(QStringLiteral("verdalune.conf")));
    ApplicationDelegate delegate(defaults);
    delegate.start(root.path());
    TimelineView& view = delegate.mainWindow().timelineView();
    PaintWatcher watcher;
    view.installEventFilter(&watcher);
    delegate.finishLaunching();
    // A first start: the timeline fills in as the files are read.
    while (!watcher.painted || delegate.store().isReading())
        QApplication::processEvents();
    watcher.painted = false;
    view.update();
    while (!watcher.painted)
        QApplication::processEvents();

    // A single event on the timeline, in its own file.
    std::shared_ptr<CalEvent> probe;
    for (const auto& event : view.eventArranger().visibleEvents())
        if (!event->recurrenceRule && !event->isDetached && event->calendar) {
            probe = event;
            break;
        }
    if (!probe) {
        state.SkipWithError("no single event on the timeline");
        return;
    }
    const QString uid = probe->uid;
    const QString path =
        QDir(root.path()).filePath(probe->calendar->uid + u'/' + uid + QStringLiteral(".ics"));
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly)) {
        state.SkipWithError("cannot read the event's file");
        return;
    }
    const QByteArray text = original.readAll();
    ApplicationModel& model = delegate.applicationModel();
    int round = 0;
    for (auto _ : state) {
        const QString title = QStringLiteral("Changed %1").arg(++round);
        QByteArray changed = text;
        changed.replace("SUMMARY:", "SUMMARY:" + title.toUtf8() + " ");
        watcher.painted = false;
        watcher.condition = [&] {
            const EventList events = model.eventsWithUid(uid);
            return !events.isEmpty() && events.front()->title.startsWith(title + u' ');
        };
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(changed);
        file.close();
        QElapsedTimer timer;
        timer.start();
        if (!throughWatcher)
            delegate.calendarStoreController().takeInExternalChanges();
        while (!watcher.painted && timer.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (!watcher.painted)
            state.SkipWithError("the change was not painted");
    }
    state.counters["events_in_model"] = double(model.events().size());
    state.counters["events_on_timeline"] = double(view.eventArranger().visibleEvents().size());
}

} // namespace

BENCHMARK(externalChangeToRepaintedTimeline)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

int main(int argc, char** argv) {
    return runOffscreenBenchmarks<QApplication>(argc, argv);
}
