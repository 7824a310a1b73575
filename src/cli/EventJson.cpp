#include "EventJson.h"

#include "IsoDateText.h"

std::optional<QByteArray> EventJson::line(const CalEvent& event) {
    const std::optional<QString> start = IsoDateText::write(CalendarDate::fromQDateTime(event.startDate));
    const std::optional<QString> end = IsoDateText::write(CalendarDate::fromQDateTime(event.endDate));
    std::optional<QString> occurrence;
    if (event.occurrence.isValid())
        occurrence = IsoDateText::write(CalendarDate::fromQDateTime(event.occurrence));
    if (!start || !end || (event.occurrence.isValid() && !occurrence))
        return std::nullopt;
    return JsonLine()
        .add("uid", event.uid)
        .add("calendar", event.calendar ? std::optional<QString>(event.calendar->title) : std::nullopt)
        .add("title", event.title)
        .add("start", *start)
        .add("end", *end)
        .add("allDay", event.isAllDay)
        .add("occurrence", occurrence)
        .add("isDetached", event.isDetached)
        .text();
}
