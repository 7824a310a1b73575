// One frame of the timeline as the window paints it: lay out the visible events of a five-day range and
// paint the visible 1280 × 800 of the view, with the arrangement cache warm (labels kept from the previous
// frame) or emptied before each frame.
#include "store/records/CalCalendar.h"
#include "store/records/CalEvent.h"
#include "timeline/OffscreenTimelineCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>

namespace {

const QStringList TITLES{
    "Standup", "Lunch with Ana",           "Dentist",          "Quarterly planning", "Call the bank",
    "Gym",     "Review: timeline drawing", "Pick up the kids", "Team retrospective", "1:1"};

EventList generateEvents(int count, const CalendarDate& start) {
    std::mt19937 random(42);
    CalendarList calendars;
    for (const char* color : {"#3A6EA5", "#C0392B", "#27AE60"}) {
        auto calendar = CalCalendar::calendar();
        calendar->uid = calendar->title = QString::fromLatin1(color);
        calendar->color = QString::fromLatin1(color);
        calendars.append(calendar);
    }
    std::uniform_int_distribution<int> minute(0, 5 * 24 * 60 - 16), length(15, 240), pick(0, 1000);
    EventList events;
    for (int i = 0; i < count; ++i) {
        auto event = CalEvent::event();
        event->uid = QStringLiteral("event-%1").arg(i);
        event->title = TITLES[pick(random) % TITLES.size()];
        const CalendarDate begin = start.addingSeconds(minute(random) * 60.0);
        event->startDate = begin.toQDateTime();
        event->endDate = begin.addingSeconds(length(random) * 60.0).toQDateTime();
        event->calendar = calendars[pick(random) % 3];
        events.append(event);
    }
    return events;
}

void frame(benchmark::State& state, bool logarithmic, bool warm) {
    const CalendarDate start = CalendarDate::fromComponents(2026, 12, 7, 8, 0);
    OffscreenTimelineCanvas canvas(QSize(1280, 800));
    canvas.setStartDate(start);
    canvas.setTimeInterval(432000);
    canvas.setLogarithmic(logarithmic);
    canvas.setEvents(generateEvents(int(state.range(0)), start));
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    const CalendarDate now = start.addingSeconds(3600);
    canvas.layout(); // the previous frame
    for (auto _ : state) {
        if (!warm)
            canvas.drawing().eventArranger().discardCachedArrangedEvents();
        canvas.layout();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        canvas.drawing().draw(painter, now, QRectF(image.rect()));
    }
    state.counters["view_height"] = canvas.boundsSize().height();
}

void logarithmicWarm(benchmark::State& state) {
    frame(state, true, true);
}
void logarithmicCold(benchmark::State& state) {
    frame(state, true, false);
}
void linearWarm(benchmark::State& state) {
    frame(state, false, true);
}
void linearCold(benchmark::State& state) {
    frame(state, false, false);
}

} // namespace

BENCHMARK(logarithmicWarm)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(linearWarm)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(logarithmicCold)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(linearCold)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
