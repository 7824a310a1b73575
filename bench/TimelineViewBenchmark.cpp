// One frame of dragging an event on the timeline widget: the drag step, the layout it asks for (the
// dragged event keeps its row, the others make room) and the paint of the visible 1280 × 800, with
// 1,000 events in five days. And the paint alone of the visible part, at the top and scrolled halfway
// down, where the label rows are drawn again over the rows; and an arrow key's step.
#include "TimelineEvents.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/view/TimelineView.h"

#include <QApplication>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

// The view in a 1280 × 800 scroll area, laid out, with `count` events in five days.
struct ShownTimeline {
    explicit ShownTimeline(int count) {
        const CalendarDate start = CalendarDate::fromComponents(2026, 12, 7, 8, 0);
        area.resize(1280, 800);
        view->placeInScrollArea(area);
        view->setStartDate(start);
        view->setEvents(generateTimelineEvents(count, start));
        area.show();
        view->doLayoutEvents();
    }

    QScrollArea area;
    TimelineView* view = new TimelineView; // owned by the area
};

void dragFrame(benchmark::State& state) {
    ShownTimeline shown(int(state.range(0)));
    QScrollArea& area = shown.area;
    TimelineView* view = shown.view;
    // An event in the middle of the visible rows.
    QPoint grip;
    for (const auto& arranged : view->eventArranger().arrangedEvents()) {
        const QPointF centre = arranged->timeBarRect().center();
        if (centre.x() > 400 && centre.x() < 800 && centre.y() > 200 && centre.y() < 600) {
            grip = centre.toPoint();
            break;
        }
    }
    if (grip.isNull()) {
        state.SkipWithError("no event to drag in the visible rows");
        return;
    }
    QImage frame(area.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const QRegion visible(QRect(QPoint(0, 0), frame.size()));
    QTest::mousePress(view, Qt::LeftButton, {}, grip);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 60;
        QTest::mouseMove(view, grip + QPoint(4 + step, 0));
        view->render(&frame, QPoint(), visible);
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, grip);
    state.counters["view_height"] = view->height();
}

// Argument: how far down the rows are scrolled, in percent of the scroll range.
void visiblePaint(benchmark::State& state) {
    ShownTimeline shown(1000);
    QScrollArea& area = shown.area;
    TimelineView* view = shown.view;
    QScrollBar* bar = area.verticalScrollBar();
    bar->setValue(bar->maximum() * int(state.range(0)) / 100);
    QCoreApplication::processEvents();
    const QRect visible(QPoint(0, view->headerTop()), area.viewport()->size());
    QImage frame(visible.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        view->render(&frame, QPoint(), QRegion(visible));
    state.counters["scrolled_px"] = view->headerTop();
}

// One arrow key on the focused timeline: the step to the next event (or back, at the last) and the
// layout that brings it into view, without the paint.
void arrowKey(benchmark::State& state) {
    ShownTimeline shown(int(state.range(0)));
    shown.area.activateWindow();
    shown.view->setFocus();
    if (!QTest::qWaitForWindowActive(&shown.area) || !shown.view->hasFocus()) {
        state.SkipWithError("the timeline has no focus");
        return;
    }
    Qt::Key key = Qt::Key_Right;
    for (auto _ : state) {
        const auto before = shown.view->selectedEvent();
        QTest::keyClick(shown.view, key);
        if (shown.view->selectedEvent() == before)
            key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
    }
}

} // namespace

BENCHMARK(arrowKey)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(dragFrame)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(visiblePaint)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runOffscreenBenchmarks<QApplication>(argc, argv);
}
