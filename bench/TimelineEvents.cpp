#include "TimelineEvents.h"

#include "records/CalCalendar.h"

#include <QStringList>

#include <random>

namespace {

const QStringList TITLES{
    "Standup", "Lunch with Ana",           "Dentist",          "Quarterly planning", "Call the bank",
    "Gym",     "Review: timeline drawing", "Pick up the kids", "Team retrospective", "1:1"};

} // namespace

EventList generateTimelineEvents(int count, const CalendarDate& start) {
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
