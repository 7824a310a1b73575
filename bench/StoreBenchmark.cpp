// The calendar store with 10,000 events: opening it and loading a 360-day window, querying the window
// again, and how long a change written by another program takes to reach the model. Also what one
// hostile file costs to read and query.
#include "VdirGenerator.h"

#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "dates/DateEnvironment.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/CalendarStoreController.h"
#include "store/NonInteractiveUserInteraction.h"
#include "store/ics/IcsReader.h"
#include "store/vdir/VdirCalendarStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

constexpr int EVENTS = 10000;

struct Fixture {
    Fixture() {
        (void)DateEnvironment::setTimeZone(QStringLiteral("Europe/Berlin"));
        VdirGenerator::write(root.path(), EVENTS, 2026);
    }
    QTemporaryDir root;
    const QDateTime from = QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to = from.addDays(360);
};

Fixture& fixture() {
    static Fixture shared;
    return shared;
}

// A field of /proc/self/status in MB.
double statusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(field.size())) / 1024.0;
    }
    return 0;
}

// Cold: every file parsed, as on the first start or after the index was lost; warm: taken from the index.
void openAndLoadWindow(benchmark::State& state, bool warm) {
    Fixture& f = fixture();
    qsizetype loaded = 0;
    const QString index = VdirIndex::pathFor(f.root.path());
    if (warm)
        VdirCalendarStore(f.root.path()); // writes the index
    for (auto _ : state) {
        if (!warm) {
            state.PauseTiming();
            QFile::remove(index);
            state.ResumeTiming();
        }
        VdirCalendarStore store(f.root.path());
        const EventList events = store.events(f.from, f.to, store.calendars());
        loaded = events.size();
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["occurrences"] = double(loaded);
    // The cold start runs first, so these peaks are its own (and the generation's, which is small).
    state.counters["peak_rss_MB"] = statusMegabytes("VmHWM:");
    state.counters["peak_address_space_MB"] = statusMegabytes("VmPeak:");
}

void warmRequery(benchmark::State& state) {
    Fixture& f = fixture();
    VdirCalendarStore store(f.root.path());
    (void)store.events(f.from, f.to, store.calendars());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.events(f.from, f.to, store.calendars()));
}

// From writing one file as another program does to the model holding the changed event.
void externalChangeToModel(benchmark::State& state) {
    Fixture& f = fixture();
    UserDefaults defaults(QDir(f.root.path()).filePath(QStringLiteral("bench.conf")));
    UndoManager undo;
    ApplicationModel model;
    NonInteractiveUserInteraction interaction;
    VdirCalendarStore store(f.root.path());
    CalendarStoreController storeController(store, interaction);
    CalendarController controller(model, storeController, undo, defaults);
    controller.setNeedsRangeStartDate(f.from, f.to);
    const QString path =
        QDir(f.root.path()).filePath(QStringLiteral("work/bench-000001@verdalune.example.ics"));
    QFile original(path);
    original.open(QIODevice::ReadOnly);
    const QByteArray text = original.readAll();
    int round = 0;
    for (auto _ : state) {
        const QString title = QStringLiteral("Changed %1").arg(++round);
        QByteArray changed = text;
        changed.replace("SUMMARY:", "SUMMARY:" + title.toUtf8() + " ");
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(changed);
        file.close();
        const auto arrived = [&] {
            const EventList events = model.eventsWithUid(QStringLiteral("bench-000001@verdalune.example"));
            return !events.isEmpty() && events.front()->title.startsWith(title + u' ');
        };
        while (!arrived() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (!arrived())
            state.SkipWithError("the change did not reach the model");
    }
}

// A file with a 10 MB line (0: as one line, 1: folded), or with a zone libical would expand for minutes
// (2: changing every second, 3: listing 20,000 dates).
QByteArray hostileFile(int kind) {
    const QByteArray value(10'000'000, 'x');
    QByteArray extra;
    QByteArray zone;
    QByteArray start = ":20261210T090000Z";
    if (kind == 0)
        extra = "DESCRIPTION:" + value + "\r\n";
    if (kind == 1) {
        extra = "DESCRIPTION:";
        for (qsizetype at = 0; at < value.size(); at += 74)
            extra += (at == 0 ? "" : "\r\n ") + value.mid(at, 74);
        extra += "\r\n";
    }
    if (kind >= 2) {
        QByteArray changes = "RRULE:FREQ=SECONDLY\r\n";
        if (kind == 3) {
            changes.clear();
            for (int day = 0; day < 20000; ++day)
                changes +=
                    QDate(1971, 1, 1).addDays(day).toString(u"'RDATE:'yyyyMMdd'T020000\r\n'").toLatin1();
        }
        zone = "BEGIN:VTIMEZONE\r\nTZID:Hostile\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n" + changes +
               "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
        start = ";TZID=Hostile:20261210T090000";
    }
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Bench//EN\r\n" + zone +
           "BEGIN:VEVENT\r\nUID:hostile\r\nDTSTAMP:20260101T000000Z\r\nDTSTART" + start +
           "\r\nDURATION:PT1H\r\nSUMMARY:hostile\r\n" + extra + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

void readHostileFile(benchmark::State& state) {
    const QByteArray text = hostileFile(int(state.range(0)));
    const QDateTime from(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC);
    qsizetype occurrences = 0;
    for (auto _ : state) {
        const IcsReadResult read = IcsReader::read(text);
        occurrences = 0;
        for (const IcsSeries& series : read.series)
            occurrences += series.occurrences(from, from.addDays(31)).size();
        benchmark::DoNotOptimize(occurrences);
    }
    if (occurrences != 1)
        state.SkipWithError("the hostile file's event was not read");
}

} // namespace

void coldOpenAndLoadWindow(benchmark::State& state) {
    openAndLoadWindow(state, false);
}

void warmOpenAndLoadWindow(benchmark::State& state) {
    openAndLoadWindow(state, true);
}

BENCHMARK(coldOpenAndLoadWindow)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(warmOpenAndLoadWindow)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(warmRequery)->Unit(benchmark::kMillisecond);
BENCHMARK(externalChangeToModel)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(readHostileFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
