// From a press of the global shortcut in the helper to the new-event editor shown and painted, over a
// store with calendars (a press reads nothing from the store, so the number of events does not matter).
#include "base/UserDefaults.h"
#include "helper/VelHelperApplicationDelegate.h"
#include "store/vdir/CalendarStoreLocation.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

void pressToEditor(benchmark::State& state) {
    QTemporaryDir folder;
    qputenv("XDG_STATE_HOME", folder.filePath(QStringLiteral("state")).toUtf8());
    const QString root = folder.filePath(QStringLiteral("calendars"));
    if (!CalendarStoreLocation::prepare(root)) {
        state.SkipWithError("cannot create the calendar folder");
        return;
    }
    UserDefaults mainDefaults(folder.filePath(QStringLiteral("verdalune.conf")));
    UserDefaults ownDefaults(folder.filePath(QStringLiteral("verdalunehelper.conf")));
    VelHelperApplicationDelegate delegate(mainDefaults, ownDefaults, root);
    delegate.applicationDidFinishLaunching();
    for (auto _ : state) {
        delegate.didPressGlobalHotKey();
        // Shown is not enough: the user sees it once it is painted.
        benchmark::DoNotOptimize(delegate.editEventController().grab());
        state.PauseTiming();
        delegate.editEventController().hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
// The first press makes the panel and lays out its widgets; later ones reuse them.
BENCHMARK(pressToEditor)->Name("HelperPressToEditor/first")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(pressToEditor)->Name("HelperPressToEditor/again")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runOffscreenBenchmarks<QApplication>(argc, argv);
}
