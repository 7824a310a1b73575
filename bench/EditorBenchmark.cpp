// One keystroke in the event editor's command field with 1,000 events on the timeline: the line parsed
// and applied, the fields filled, and the timeline laid out and painted with the edited event where it
// would land.
#include "TimelineEvents.h"
#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "dates/EventDescription.h"
#include "editing/EditEventController.h"
#include "editing/TextViewWithCompletion.h"
#include "entry/ParsingController.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/CalendarStoreController.h"
#include "store/NonInteractiveUserInteraction.h"
#include "store/ProgramAlarmApprovals.h"
#include "store/vdir/VdirCalendarStore.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <QApplication>
#include <QImage>
#include <QScrollArea>
#include <QTemporaryDir>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

void commandFieldKeystroke(benchmark::State& state) {
    const CalendarDate start = CalendarDate::fromComponents(2026, 12, 7, 8, 0);
    QTemporaryDir folder;
    VdirCalendarStore store(folder.filePath(QStringLiteral("calendars")));
    NonInteractiveUserInteraction interaction;
    UndoManager undo;
    UserDefaults defaults(folder.filePath(QStringLiteral("verdalune.conf")));
    ApplicationModel model;
    CalendarStoreController storeController(store, interaction);
    CalendarController controller(model, storeController, undo, defaults);

    // The events in the store, as the timeline loads them.
    const EventList events = generateTimelineEvents(int(state.range(0)), start);
    for (const auto& event : events) {
        if (!store.calendarWithUID(event->calendar->uid) && store.saveCalendar(*event->calendar)) {
            state.SkipWithError("cannot create a calendar");
            return;
        }
        event->calendar = store.calendarWithUID(event->calendar->uid);
        if (store.saveEvent(*event, CalSpan::AllEvents)) {
            state.SkipWithError("cannot store an event");
            return;
        }
    }

    QScrollArea area;
    area.resize(1280, 800);
    auto* view = new TimelineView;
    view->placeInScrollArea(area);
    TimelineViewController timeline(*view, model, controller, undo);
    area.show();
    timeline.setStartDate(start);
    timeline.setTimeInterval(5 * 86400.0);

    ParsingController parsing;
    QTemporaryDir approvalsFolder;
    ProgramAlarmApprovals approvals(approvalsFolder.filePath(QStringLiteral("program-alarms.json")));
    EditEventController editor(model, controller, undo, std::make_shared<EventDescription>(), parsing,
                               defaults, approvals);
    editor.setReferenceDateProvider([start] { return start; });
    QObject::connect(&editor, &EditEventController::editedEventChanged, &timeline,
                     &TimelineViewController::setEditedEvent);
    auto edited = CalEvent::event();
    edited->uid = QStringLiteral("new");
    edited->title = QStringLiteral("New Event");
    edited->calendar = events.front()->calendar;
    edited->startDate = start.toQDateTime();
    edited->endDate = start.addingSeconds(3600).toQDateTime();
    editor.showWithNewEvent(edited);

    QImage frame(area.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const QRegion visible(QRect(QPoint(0, 0), frame.size()));
    // The line as it grows by one character, and back: every step a line the parser understands.
    const QStringList lines{
        QStringLiteral("tomorrow 3pm to 4pm lunch"), QStringLiteral("tomorrow 3pm to 4:30pm lunch"),
        QStringLiteral("tomorrow 3pm to 4:30pm lunch w"), QStringLiteral("tomorrow 3pm to 4:30pm lunch wi")};
    int step = 0;
    for (auto _ : state) {
        editor.commandField()->setPlainText(lines[step++ % lines.size()]);
        view->doLayoutEvents();
        view->render(&frame, QPoint(), visible);
    }
    state.counters["title_ok"] = editor.event()->title.startsWith(QStringLiteral("lunch")) ? 1 : 0;
    state.counters["view_height"] = view->height();
}

} // namespace

BENCHMARK(commandFieldKeystroke)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runOffscreenBenchmarks<QApplication>(argc, argv);
}
