#pragma once

#include "TestSupport.h"

#include "entry/CalEventBuilder.h"
#include "entry/ParsingController.h"

#include <QStringList>

inline void PrintTo(const DateDescription& d, std::ostream* out) {
    *out << "{kind " << d.type() << " dayOfWeek " << d.dayOfWeek() << " dayOffset " << d.dayOffset()
         << " monthOffset " << d.monthOffset() << " month " << d.month() << " day " << d.day() << '}';
}

namespace entrytest {

// "2026-06-10 10:00" in the default time zone, so that a failure shows the wall-clock time.
inline QString wallClock(const CalendarDate& d) {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d", d.year(), d.monthOfYear(), d.dayOfMonth(),
                             d.hourOfDay(), d.minuteOfHour());
}

// The whole token stream of `text`, as "DATE[fri ] DESCRIPTION[lunch]" (a tab shows as \t).
inline QString tokens(Lexer& lexer, const QString& text) {
    static const char* const names[] = {"DATE",     "TIME",          "TO", "DESCRIPTION", "WHITESPACE",
                                        "CALENDAR", "SHORT_TIME_24H"};
    lexer.setString(text);
    QStringList result;
    for (Token token = lexer.nextToken(); token.type != EosType; token = lexer.nextToken())
        result << QString::fromLatin1(names[token.type]) + u'[' +
                      token.string.toString().replace(u'\t', QStringLiteral("\\t")) + u']';
    return result.join(u' ');
}

// Calendar names with pattern syntax in them, and lines of every kind the lexer and parser meet.
inline const QStringList sampleCalendars{"Home", "Work", "C++", "(work)", "a|b", "[x"};
// clang-format off
inline const QStringList sampleLines{
    "tomorrow", "tomorrow lunch", "lunch tomorrow", "today 18:00 gym", "Dec 25th christmas", "25 december",
    "sunday dec 25 family", "SUN 25 Dec", "march", "sept 5", "dec 5:30 x", "3/4 dentist", "13/25 x",
    "12/31/2026 x", "1/1", "fri next week review", "mon to fri", "fri to sun trip", "fri 9am lunch",
    "fri 9 lunch", "9 lunch", "0 lunch", "00", "at 9 lunch", "at 9pm", "9 p.m. dinner", "21:00",
    "9:30:15 PM call", "at 3:30 pm call mom", "noon picnic", "at midnight", "12am", "9am to 5 lunch",
    "mon to 5 lunch", "3pm fri lunch", "tomorrow 3pm 5pm lunch", "tomorrow 11pm to 1am party",
    "+2 weeks review", "+1 Year x", "+ 3 days x", "+0 days x", "next Month rent", "mon to +2 days x",
    "tonight", "to", "- x", "fri - sun", "work: fri 9am", "WORK:", "home:\tfri x", "Workshop fri",
    "c++: tomorrow x", "(work) fri", "a|b: x", "[x: mon", "a x", "tomorrow\tlunch", "fri\t\tx",
    "Frühstück mit Anna", "fri café", "🎉 party", "fri 🎉", "tomorrow שלום", "10th 9am haircut", "31st",
    "24 25 26 27 28 29 30 31 32 33 40", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17", "18 19 20 21 22 23",
    "jan 5 to jan 7 holiday", "9:60 x", "wed 9:15 a.m. coffee", "thu next week 14:00 to 15:30 planning"};
// clang-format on

// A parsing controller and an event builder that both know the calendars Home, Work and Sport.
class EventMaker {
public:
    EventMaker() {
        for (const char* title : {"Home", "Work", "Sport"}) {
            calendars.push_back(CalCalendar::calendar());
            calendars.back()->title = QString::fromLatin1(title);
        }
        builder.setCalendars(calendars);
        controller.setCalendarNames({"Home", "Work", "Sport"});
    }

    // What `line` makes of an event "New Event" in Home lasting `minutes` from 12:00 on the reference
    // day, as "2026-06-12 09:00 .. 2026-06-12 10:00 lunch [Home]" (" all-day" added), or "none".
    QString built(const QString& line, const CalendarDate& reference, int minutes = 60) {
        const std::optional<ParseTreeNode> tree = controller.parseEvent(line);
        if (!tree)
            return "none";
        CalEvent event;
        event.title = "New Event";
        event.calendar = calendars.front();
        event.startDate = CalendarDate::dateWithDate(reference, {12, 0, 0}).toQDateTime();
        event.endDate = event.startDate.addSecs(minutes * 60);
        builder.updateEvent(event, *tree, reference);
        const auto wall = [](const QDateTime& moment) {
            return wallClock(CalendarDate::fromQDateTime(moment));
        };
        return wall(event.startDate) + " .. " + wall(event.endDate) + ' ' + event.title + " [" +
               event.calendar->title + ']' + (event.isAllDay ? " all-day" : "");
    }

    ParsingController controller;
    CalEventBuilder builder;
    std::vector<std::shared_ptr<CalCalendar>> calendars;
};

} // namespace entrytest
