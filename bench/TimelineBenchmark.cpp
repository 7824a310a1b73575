// One frame of the timeline as the window paints it: lay out the visible events of a five-day range and
// paint the visible 1280 × 800 of the view, with the arrangement cache warm (labels kept from the previous
// frame) or emptied before each frame.
#include "TimelineEvents.h"
#include "timeline/OffscreenTimelineCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

void frame(benchmark::State& state, bool logarithmic, bool warm) {
    const CalendarDate start = CalendarDate::fromComponents(2026, 12, 7, 8, 0);
    OffscreenTimelineCanvas canvas(QSize(1280, 800));
    canvas.setStartDate(start);
    canvas.setTimeInterval(432000);
    canvas.setLogarithmic(logarithmic);
    canvas.setEvents(generateTimelineEvents(int(state.range(0)), start));
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
    return runOffscreenBenchmarks<QGuiApplication>(argc, argv);
}
