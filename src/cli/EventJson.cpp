#include "EventJson.h"

#include "IsoDateText.h"

namespace {

QString iso(const QDateTime& moment) {
    return IsoDateText::write(CalendarDate::fromQDateTime(moment));
}

} // namespace

QByteArray EventJson::line(const CalEvent& event) {
    return JsonLine()
        .add("uid", event.uid)
        .add("calendar", event.calendar ? std::optional<QString>(event.calendar->title) : std::nullopt)
        .add("title", event.title)
        .add("start", iso(event.startDate))
        .add("end", iso(event.endDate))
        .add("allDay", event.isAllDay)
        .add("occurrence",
             event.occurrence.isValid() ? std::optional<QString>(iso(event.occurrence)) : std::nullopt)
        .add("isDetached", event.isDetached)
        .text();
}
