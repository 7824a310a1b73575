#include "CorpusFiles.h"
#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Events = QList<std::shared_ptr<CalEvent>>;

IcsSeries onlySeries(const QString& vevents) {
    const IcsReadResult result =
        IcsReader::read(("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + vevents + "END:VCALENDAR\r\n").toUtf8());
    if (result.series.size() != 1)
        throw std::runtime_error("expected one series: " + result.warnings.join(u'|').toStdString());
    return result.series[0];
}

QStringList startsOf(const Events& events) {
    QStringList starts;
    for (const auto& event : events)
        starts.append(event->startDate.toString(Qt::ISODate));
    return starts;
}

} // namespace

// The rule runs on the clock: a time skipped in spring moves forward on that day only; a repeated
// time in autumn is its first occurrence.
TEST(IcsSeriesTest, DailyRuleKeepsItsClockTimeAcrossDaylightSavingChanges) {
    const IcsSeries series =
        onlySeries(QStringLiteral("BEGIN:VEVENT\r\nUID:vienna\r\n"
                                  "DTSTART;TZID=Europe/Vienna:20170320T023000\r\n"
                                  "DURATION:PT30M\r\nRRULE:FREQ=DAILY\r\nEND:VEVENT\r\n"));
    EXPECT_EQ(startsOf(series.occurrences(utc(2017, 3, 25), utc(2017, 3, 28))),
              QStringList({"2017-03-25T01:30:00Z", "2017-03-26T01:30:00Z", "2017-03-27T00:30:00Z"}));
    EXPECT_EQ(startsOf(series.occurrences(utc(2017, 10, 28), utc(2017, 10, 31))),
              QStringList({"2017-10-28T00:30:00Z", "2017-10-29T00:30:00Z", "2017-10-30T01:30:00Z"}));
}

TEST(IcsSeriesTest, FloatingTimesAndDatesFollowTheDefaultZone) {
    const IcsSeries floating =
        onlySeries(QStringLiteral("BEGIN:VEVENT\r\nUID:f\r\nDTSTART:20240410T090000\r\n"
                                  "DTEND:20240410T100000\r\nRRULE:FREQ=DAILY;COUNT=3\r\n"
                                  "END:VEVENT\r\n"));
    const IcsSeries allDay =
        onlySeries(QStringLiteral("BEGIN:VEVENT\r\nUID:d\r\nDTSTART;VALUE=DATE:20240411\r\n"
                                  "END:VEVENT\r\n"));
    struct Case {
        const char* zone;
        const char* second;
        const char* day;
    };
    for (const Case& c : {Case{"America/New_York", "2024-04-11T13:00:00Z", "2024-04-11T04:00:00Z"},
                          Case{"Asia/Tokyo", "2024-04-11T00:00:00Z", "2024-04-10T15:00:00Z"}}) {
        DateEnvironmentGuard guard(QString::fromLatin1(c.zone));
        const Events events = floating.occurrences(utc(2024, 4, 1), utc(2024, 5, 1));
        ASSERT_EQ(events.size(), 3) << c.zone;
        EXPECT_EQ(events[1]->startDate.toString(Qt::ISODate), QString::fromLatin1(c.second)) << c.zone;
        const auto day = allDay.masterRecord();
        EXPECT_EQ(day->startDate.toString(Qt::ISODate), QString::fromLatin1(c.day)) << c.zone;
        EXPECT_EQ(day->startDate.secsTo(day->endDate), 86400) << c.zone;
        EXPECT_TRUE(day->isAllDay);
    }
}

TEST(IcsSeriesTest, DateExdateRemovesTheDayAndDateRecurrenceIdMatchesByDay) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"));
    const IcsSeries series = onlySeries(QStringLiteral(
        "BEGIN:VEVENT\r\nUID:days\r\nDTSTART;TZID=Europe/Berlin:20240101T100000\r\nDURATION:PT1H\r\n"
        "RRULE:FREQ=DAILY;COUNT=5\r\nEXDATE;VALUE=DATE:20240103\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:days\r\nRECURRENCE-ID;VALUE=DATE:20240104\r\nSUMMARY:later\r\n"
        "DTSTART;TZID=Europe/Berlin:20240104T150000\r\nDURATION:PT1H\r\nEND:VEVENT\r\n"));
    const Events events = series.occurrences(utc(2024, 1, 1), utc(2024, 2, 1));
    EXPECT_EQ(startsOf(events), QStringList({"2024-01-01T09:00:00Z", "2024-01-02T09:00:00Z",
                                             "2024-01-04T14:00:00Z", "2024-01-05T09:00:00Z"}));
    EXPECT_EQ(events[2]->title, QStringLiteral("later"));
    EXPECT_TRUE(events[2]->isDetached);
}

TEST(IcsSeriesTest, CountsAndFirstOccurrenceForSplittingASeries) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"));
    const IcsSeries series = onlySeries(
        QStringLiteral("BEGIN:VEVENT\r\nUID:split\r\nDTSTART;TZID=Europe/Berlin:20240101T100000\r\n"
                       "RRULE:FREQ=DAILY;COUNT=5\r\nEXDATE;TZID=Europe/Berlin:20240101T100000\r\n"
                       "RDATE;TZID=Europe/Berlin:20240110T100000\r\nEND:VEVENT\r\n"));
    // The excluded first instance still counts; the RDATE never does.
    EXPECT_EQ(series.occurrencesBefore(utc(2024, 1, 4, 9)), QList<int>{3});
    EXPECT_EQ(series.occurrencesBefore(utc(2024, 1, 20)), QList<int>{5});
    EXPECT_EQ(series.firstOccurrence(), utc(2024, 1, 2, 9));
    EXPECT_TRUE(series.isRecurring());

    const Events events = series.occurrences(utc(2024, 1, 1), utc(2024, 2, 1));
    ASSERT_EQ(events.size(), 5);
    EXPECT_EQ(events.last()->startDate, utc(2024, 1, 10, 9));
    ASSERT_TRUE(events[0]->recurrenceRule && events[1]->recurrenceRule);
    EXPECT_NE(events[0]->recurrenceRule, events[1]->recurrenceRule); // each record owns its copy
    EXPECT_EQ(events[0]->recurrenceRule->recurrenceEnd->occurrenceCount, 5);
}

TEST(IcsSeriesTest, StartFormTellsHowDtstartIsWritten) {
    struct Case {
        const char* vevent;
        DateForm form;
    };
    for (const Case& c : {
             Case{"DTSTART;VALUE=DATE:20240101", DateForm{DateForm::Date, {}}},
             Case{"DTSTART:20240101T100000Z", DateForm{DateForm::Utc, {}}},
             Case{"DTSTART:20240101T100000", DateForm{DateForm::Floating, {}}},
             Case{"DTSTART;TZID=W. Europe Standard Time:20240101T100000",
                  DateForm{DateForm::Zoned, QStringLiteral("W. Europe Standard Time")}},
             Case{"RECURRENCE-ID:20240101T100000Z\r\nDTSTART;TZID=Europe/Berlin:20240101T120000",
                  DateForm{DateForm::Utc, {}}}, // no master: the override's RECURRENCE-ID
         }) {
        SCOPED_TRACE(c.vevent);
        const IcsSeries series = onlySeries(QStringLiteral("BEGIN:VEVENT\r\nUID:form\r\n%1\r\nEND:VEVENT\r\n")
                                                .arg(QString::fromLatin1(c.vevent)));
        EXPECT_EQ(series.startForm(), c.form);
    }
}

TEST(IcsSeriesTest, OverrideWithoutMasterStandsAlone) {
    const IcsSeries series =
        onlySeries(QStringLiteral("BEGIN:VEVENT\r\nUID:orphan\r\nRECURRENCE-ID:20240101T100000Z\r\n"
                                  "DTSTART:20240102T100000Z\r\nEND:VEVENT\r\n"));
    EXPECT_FALSE(series.hasMaster());
    EXPECT_FALSE(series.masterRecord());
    EXPECT_TRUE(series.isRecurring());
    const Events events = series.occurrences(utc(2024, 1, 1), utc(2024, 2, 1));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0]->occurrence, utc(2024, 1, 1, 10));
    EXPECT_TRUE(events[0]->isDetached);
}

TEST(IcsSeriesTest, RecordFieldsAlarmsAndAttendees) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"));
    const IcsSeries series = onlySeries(QStringLiteral(
        "BEGIN:VEVENT\r\nUID:fields\r\nSUMMARY:Review\r\nLOCATION:Room 4\r\nDESCRIPTION:Line one\\nline "
        "two\r\n"
        "URL:https://example.org/r\r\nDTSTART:20240105T090000Z\r\nDTEND:20240105T100000Z\r\n"
        "ATTENDEE;CN=Anna Berg;PARTSTAT=TENTATIVE;RSVP=TRUE:mailto:anna@example.org\r\n"
        "ATTENDEE;PARTSTAT=X-UNKNOWN:MAILTO:bob@example.org\r\nORGANIZER;CN=Cy:mailto:cy@example.org\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;RELATED=END:PT5M\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-P1D\r\nATTACH;VALUE=URI:Basso\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:EMAIL\r\nTRIGGER:-PT1H\r\nATTENDEE:mailto:me@example.org\r\n"
        "SUMMARY:s\r\nDESCRIPTION:d\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:PROCEDURE\r\nTRIGGER:PT0S\r\nATTACH:file:///usr/bin/true\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:20240105T080000Z\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\nDESCRIPTION:Review\r\n"
        "X-VERDALUNE-SOUND:my\\, bell\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT10M\r\n"
        "ATTACH;VALUE=URI:file:///usr/share/sounds/freedesktop/stereo/"
        "alarm-clock-elapsed.oga\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:EMAIL\r\nTRIGGER:-PT2H\r\nX-VERDALUNE-SOUND:bell\r\nEND:VALARM\r\n"
        "END:VEVENT\r\n"));
    const auto record = series.masterRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->title, QStringLiteral("Review"));
    EXPECT_EQ(record->location, QStringLiteral("Room 4"));
    EXPECT_EQ(record->notes, QStringLiteral("Line one\nline two"));
    EXPECT_EQ(record->url, QUrl(QStringLiteral("https://example.org/r")));
    EXPECT_EQ(record->attendees,
              (QList<CalAttendee>{CalAttendee("Anna Berg", "anna@example.org", CalAttendee::Tentative, true),
                                  CalAttendee({}, "bob@example.org")}));
    EXPECT_EQ(record->organizer, CalAttendee("Cy", "cy@example.org"));
    EXPECT_FALSE(record->occurrence.isValid());
    EXPECT_FALSE(record->recurrenceRule);

    struct Expected {
        CalAlarm::Action action;
        double relative;
        QDateTime absolute;
        const char* sound;
        const char* email;
        const char* url;
    };
    const QList<Expected> expected{
        {CalAlarm::Display, -900, {}, "", "", ""},
        {CalAlarm::Display, 3900, {}, "", "", ""},      // five minutes after the end of a one-hour event
        {CalAlarm::Sound, -86400, {}, "Basso", "", ""}, // a sound name, as written before
        {CalAlarm::Email, -3600, {}, "", "me@example.org", ""},
        {CalAlarm::Procedure, 0, {}, "", "", "file:///usr/bin/true"},
        {CalAlarm::Display, 0, utc(2024, 1, 5, 8), "", "", ""},
        {CalAlarm::Sound, -300, {}, "my, bell", "", ""},            // a message with a sound, as written here
        {CalAlarm::Sound, -600, {}, "alarm-clock-elapsed", "", ""}, // a sound theme's file
        {CalAlarm::Email, -7200, {}, "", "", ""},                   // only a message carries a sound
    };
    ASSERT_EQ(record->alarms.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const CalAlarm& alarm = *record->alarms[i];
        EXPECT_EQ(alarm.action(), expected[i].action);
        EXPECT_EQ(alarm.absoluteTrigger().value_or(QDateTime()), expected[i].absolute);
        if (!expected[i].absolute.isValid()) {
            EXPECT_EQ(alarm.relativeTrigger(), expected[i].relative);
        }
        EXPECT_EQ(alarm.sound(), QString::fromLatin1(expected[i].sound));
        EXPECT_EQ(alarm.emailAddress(), QString::fromLatin1(expected[i].email));
        EXPECT_EQ(alarm.url(), QUrl(QString::fromLatin1(expected[i].url)));
    }
}

// Rules that produce nothing, or far too much, end quickly instead of hanging a query.
TEST(IcsSeriesTest, HostileRulesEnd) {
    struct Case {
        const char* rule;
        int count; // in 2030, or -1 when only termination matters
    };
    for (const Case& c :
         {Case{"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", 0}, Case{"FREQ=SECONDLY", -1},
          Case{"FREQ=MINUTELY;COUNT=100000000", -1}, Case{"FREQ=DAILY;INTERVAL=1000000", 0}}) {
        SCOPED_TRACE(c.rule);
        const IcsSeries series =
            onlySeries(QStringLiteral("BEGIN:VEVENT\r\nUID:h\r\nDTSTART:19700101T000000Z\r\n"
                                      "RRULE:%1\r\nEND:VEVENT\r\n")
                           .arg(QString::fromLatin1(c.rule)));
        const Events events = series.occurrences(utc(2030, 1, 1), utc(2030, 1, 2));
        if (c.count >= 0) {
            EXPECT_EQ(events.size(), c.count);
        }
        (void)series.occurrencesBefore(utc(2030, 1, 1));
        (void)series.firstOccurrence();
    }
}
