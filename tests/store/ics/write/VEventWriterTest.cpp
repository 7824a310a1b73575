#include "store/ics/VEventWriter.h"

#include "store/ics/IcsReader.h"

#include "CorpusFiles.h"
#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTimeZone>

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string_view>

namespace {

const QDateTime NOW(QDate(2026, 6, 1), QTime(8, 0), QTimeZone::utc());

// The content lines as they stand in a file (folded, with their line endings), sorted.
QList<QByteArray> rawLines(const QByteArray& bytes) {
    static const QRegularExpression line(
        QStringLiteral("[^\\r\\n]*(\\r\\n|\\r|\\n|$)([ \\t][^\\r\\n]*(\\r\\n|\\r|\\n|$))*"));
    QList<QByteArray> lines;
    for (auto match = line.globalMatch(QString::fromLatin1(bytes)); match.hasNext();) {
        const QString text = match.next().captured();
        if (!text.isEmpty())
            lines.append(text.toLatin1());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

QList<QByteArray> linesNotIn(const QList<QByteArray>& lines, const QList<QByteArray>& others) {
    QList<QByteArray> result;
    std::set_difference(lines.begin(), lines.end(), others.begin(), others.end(), std::back_inserter(result));
    return result;
}

using IcalPointer = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

IcalPointer readByLibical(const QByteArray& bytes) {
    return IcalPointer(icalparser_parse_string(bytes.constData()), &icalcomponent_free);
}

icalcomponent* firstEvent(icalcomponent* root) {
    return icalcomponent_isa(root) == ICAL_VEVENT_COMPONENT
               ? root
               : icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
}

// The first property of that name as text, or "<none>".
QString propertyText(const IcsComponent& component, QStringView name) {
    const std::optional<ContentLine> line = component.property(name);
    return line ? line->text() : QStringLiteral("<none>");
}

std::shared_ptr<CalEvent> timedEvent(const CalendarDate& start, const CalendarDate& end) {
    auto event = CalEvent::event();
    event->uid = QStringLiteral("uid-1");
    event->startDate = start.toQDateTime();
    event->endDate = end.toQDateTime();
    return event;
}

// Files with X- and unknown properties, empty values, attendees, alarms and a location component. An
// unchanged record changes nothing; a changed one is stamped.
TEST(VEventWriterTest, AnEditedSummaryLeavesEveryOtherLineAsItWas) {
    const QString title = QStringLiteral("Überraschung, 🎉; für alle\nzweite Zeile ").repeated(4) + u'!';
    for (const char* path :
         {"recurring-ical-events/issue_62_moved_event.ics", "kcalendarcore/Compat/KOrganizer_3.2.ics",
          "recurring-ical-events/issue_61_time_zone_error.ics",
          "icalendar-py/events/rfc_9074_example_proximity.ics", "icaljs/samples/forced_types.ics"}) {
        SCOPED_TRACE(path);
        const QByteArray original = corpusText(path);
        IcsDocument document = IcsDocument::parse(original);
        const auto before = timedEvent(at(2026, 6, 10, 9), at(2026, 6, 10, 10));
        const auto after = before->copy();
        after->title = title;
        const QList<IcsComponent*> events = document.body().children(u"VEVENT");
        ASSERT_FALSE(events.isEmpty());
        for (IcsComponent* event : events) {
            EXPECT_FALSE(VEventWriter(document, NOW).write(*event, before.get(), *before));
            const std::optional<ContentLine> sequence = event->property(u"SEQUENCE");
            EXPECT_TRUE(VEventWriter(document, NOW).write(*event, before.get(), *after));
            EXPECT_EQ(propertyText(*event, u"SEQUENCE"),
                      "SEQUENCE:" + QString::number(sequence ? sequence->value().toInt() + 1 : 1));
            EXPECT_EQ(propertyText(*event, u"LAST-MODIFIED"), "LAST-MODIFIED:20260601T080000Z");
        }

        const QByteArray written = document.serialize();
        static const QRegularExpression stamp(
            QStringLiteral("^(SUMMARY|DTSTAMP|LAST-MODIFIED|SEQUENCE)[;:]"));
        const auto isStamp = [](const QByteArray& line) {
            return stamp.match(QString::fromLatin1(line)).hasMatch();
        };
        for (const QByteArray& removed : linesNotIn(rawLines(original), rawLines(written)))
            EXPECT_TRUE(isStamp(removed)) << removed.toStdString();
        for (const QByteArray& added : linesNotIn(rawLines(written), rawLines(original))) {
            EXPECT_TRUE(isStamp(added)) << added.toStdString();
            for (const QByteArray& physical : added.split('\n'))
                EXPECT_LE(physical.size(), 76) << added.toStdString(); // 75 octets and the CR
        }
        IcalPointer read = readByLibical(written);
        ASSERT_TRUE(read);
        for (icalcomponent* e = firstEvent(read.get()); e;
             e = icalcomponent_get_next_component(read.get(), ICAL_VEVENT_COMPONENT))
            EXPECT_EQ(QString::fromUtf8(icalcomponent_get_summary(e)), title);
    }
}

struct TimingCase {
    const char* zone;
    int start[5]; // year, month, day, hour, minute in the zone
    int end[5];
    bool allDay;
};

// Times survive the trip through a reader in zones with daylight-saving time, also across its changes.
TEST(VEventWriterTest, WrittenTimesReadBackAsTheSameInstantsAndDays) {
    const TimingCase cases[] = {
        {"Europe/Berlin", {2026, 1, 15, 9, 30}, {2026, 1, 15, 10, 30}, false},
        {"Europe/Berlin", {2026, 3, 29, 3, 30}, {2026, 3, 29, 4, 0}, false},
        {"Europe/Berlin", {2026, 10, 25, 1, 30}, {2026, 10, 25, 4, 0}, false},
        {"Europe/Berlin", {2026, 7, 1, 0, 0}, {2026, 7, 2, 0, 0}, true},
        {"America/New_York", {2026, 3, 8, 1, 30}, {2026, 3, 8, 3, 30}, false},
        {"America/New_York", {2027, 12, 31, 23, 0}, {2028, 1, 1, 1, 0}, false},
        {"America/New_York", {2026, 10, 31, 0, 0}, {2026, 11, 3, 0, 0}, true},
        {"Etc/UTC", {2026, 6, 10, 9, 0}, {2026, 6, 10, 10, 0}, false},
    };
    for (const TimingCase& c : cases) {
        DateEnvironmentGuard zone(QString::fromUtf8(c.zone));
        const CalendarDate start = at(c.start[0], c.start[1], c.start[2], c.start[3], c.start[4]);
        const CalendarDate end = at(c.end[0], c.end[1], c.end[2], c.end[3], c.end[4]);
        SCOPED_TRACE(c.zone + (" " + start.toQDateTime().toString(Qt::ISODate).toStdString()));
        auto event = timedEvent(start, end);
        event->isAllDay = c.allDay;
        IcsDocument document = IcsDocument::create();
        VEventWriter(document, NOW)
            .write(document.body().addChild(IcsComponent(QStringLiteral("VEVENT"))), nullptr, *event);
        IcalPointer read = readByLibical(document.serialize());
        ASSERT_TRUE(read);
        icalcomponent* written = firstEvent(read.get());
        const icaltimetype readStart = icalcomponent_get_dtstart(written);
        const icaltimetype readEnd = icalcomponent_get_dtend(written);
        if (c.allDay) {
            EXPECT_TRUE(readStart.is_date && readEnd.is_date);
            EXPECT_EQ((std::array{readStart.year, readStart.month, readStart.day}),
                      (std::array{c.start[0], c.start[1], c.start[2]}));
            EXPECT_EQ((std::array{readEnd.year, readEnd.month, readEnd.day}),
                      (std::array{c.end[0], c.end[1], c.end[2]}));
        } else {
            ASSERT_TRUE(readStart.zone);
            // The file's VTIMEZONE, not the reader's own zone of that name; UTC as UTC, for a TZID of UTC
            // with a VTIMEZONE was rewritten by a server into a time that is both (TZID=...:...Z).
            const bool utc = c.zone == std::string_view("Etc/UTC");
            EXPECT_EQ(bool(icaltime_is_utc(readStart)), utc);
            EXPECT_STREQ(icaltimezone_get_tzid(const_cast<icaltimezone*>(readStart.zone)),
                         utc ? "UTC" : c.zone);
            EXPECT_EQ(icaltime_as_timet_with_zone(readStart, readStart.zone),
                      time_t(start.msecsSinceEpoch() / 1000));
            EXPECT_EQ(icaltime_as_timet_with_zone(readEnd, readEnd.zone),
                      time_t(end.msecsSinceEpoch() / 1000));
        }
    }
}

// The end of a DURATION event stays where it was when only the start moves, and the file's own VTIMEZONE
// for the zone serves.
TEST(VEventWriterTest, MovingTheStartOfADurationEventKeepsItsEnd) {
    DateEnvironmentGuard zone(QStringLiteral("America/Los_Angeles"));
    IcsDocument document = IcsDocument::parse(corpusText("icaljs/samples/duration_instead_of_dtend.ics"));
    const auto before = timedEvent(at(2012, 6, 30, 6), at(2012, 7, 1, 6));
    const auto after = before->copy();
    after->startDate = at(2012, 6, 30, 7).toQDateTime();
    IcsComponent* event = document.event(QStringLiteral("dn4vrfmfn5p05roahsopg57h48@example.com"));
    ASSERT_TRUE(event);
    EXPECT_TRUE(VEventWriter(document, NOW).write(*event, before.get(), *after));
    EXPECT_FALSE(event->property(u"DURATION"));
    EXPECT_EQ(propertyText(*event, u"DTEND"), "DTEND;TZID=America/Los_Angeles:20120701T060000");
    EXPECT_EQ(document.body().children(u"VTIMEZONE").size(), 1);
}

TEST(VEventWriterTest, WritesAlarmsThatAReaderUnderstands) {
    const QDateTime moment(QDate(2026, 6, 9), QTime(18, 0), QTimeZone::utc());
    const struct {
        CalAlarm::Action kind;
        qint64 trigger; // seconds from the start, or the moment
        QString detail; // address, sound or program
        icalproperty_action action;
        const char* written; // ATTENDEE or ATTACH
    } expected[] = {
        {CalAlarm::Display, -900, {}, ICAL_ACTION_DISPLAY, ""},
        {CalAlarm::Display, moment.toSecsSinceEpoch(), {}, ICAL_ACTION_DISPLAY, ""},
        {CalAlarm::Email, -86490, "me@example.org", ICAL_ACTION_EMAIL, "mailto:me@example.org"},
        {CalAlarm::Sound, -60, "my, bell", ICAL_ACTION_DISPLAY, ""}, // a message, its sound read back below
        {CalAlarm::Procedure, 0, "file:///usr/bin/true", ICAL_ACTION_PROCEDURE, "file:///usr/bin/true"},
    };
    auto event = timedEvent(at(2026, 6, 10, 9), at(2026, 6, 10, 10));
    event->title = QStringLiteral("Dentist, upstairs");
    for (const auto& e : expected) {
        auto alarm = CalAlarm::alarm();
        alarm->setEmailAddress(e.kind == CalAlarm::Email ? e.detail : QString());
        alarm->setSound(e.kind == CalAlarm::Sound ? e.detail : QString());
        alarm->setUrl(e.kind == CalAlarm::Procedure ? QUrl(e.detail) : QUrl());
        alarm->setAction(e.kind);
        if (e.trigger == moment.toSecsSinceEpoch())
            alarm->setAbsoluteTrigger(moment);
        else
            alarm->setRelativeTrigger(double(e.trigger));
        event->alarms.append(alarm);
    }
    IcsDocument document = IcsDocument::create();
    VEventWriter(document, NOW)
        .write(document.body().addChild(IcsComponent(QStringLiteral("VEVENT"))), nullptr, *event);
    IcalPointer read = readByLibical(document.serialize());
    ASSERT_TRUE(read);
    icalcomponent* written = firstEvent(read.get());
    ASSERT_EQ(icalcomponent_count_components(written, ICAL_VALARM_COMPONENT), 5);
    icalcomponent* alarm = icalcomponent_get_first_component(written, ICAL_VALARM_COMPONENT);
    for (const auto& e : expected) {
        EXPECT_EQ(icalproperty_get_action(icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY)),
                  e.action);
        const icaltriggertype trigger =
            icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
        EXPECT_EQ(icaltime_is_null_time(trigger.time) ? qint64(icaldurationtype_as_int(trigger.duration))
                                                      : qint64(icaltime_as_timet(trigger.time)),
                  e.trigger);
        icalproperty* detail = icalcomponent_get_first_property(
            alarm, e.action == ICAL_ACTION_EMAIL ? ICAL_ATTENDEE_PROPERTY : ICAL_ATTACH_PROPERTY);
        EXPECT_EQ(detail ? QString::fromUtf8(icalproperty_get_value_as_string(detail)) : QString(),
                  e.written);
        // What other programs show when the alarm goes off.
        if (e.action == ICAL_ACTION_DISPLAY || e.action == ICAL_ACTION_EMAIL) {
            EXPECT_STREQ(icalcomponent_get_description(alarm), "Dentist, upstairs");
        }
        alarm = icalcomponent_get_next_component(written, ICAL_VALARM_COMPONENT);
    }
    const IcsReadResult readHere = IcsReader::read(document.serialize());
    ASSERT_EQ(readHere.series.size(), 1);
    const std::shared_ptr<CalEvent> master = readHere.series.front().masterRecord();
    const CalAlarm& sound = *master->alarms.at(3);
    EXPECT_EQ(sound.action(), CalAlarm::Sound);
    EXPECT_EQ(sound.sound(), QStringLiteral("my, bell"));
}

TEST(VEventWriterTest, AnAlarmWithoutActionIsNeverWritten) {
    // The event editor's empty alarm row holds one; it must not reach a file even if it gets into an event.
    auto before = timedEvent(at(2026, 6, 10, 9), at(2026, 6, 10, 10));
    auto alarm = CalAlarm::alarm();
    alarm->setRelativeTrigger(-900);
    before->alarms = {alarm};
    auto after = before->copy();
    auto empty = CalAlarm::alarm();
    empty->setAction(CalAlarm::NoAction);
    after->alarms.prepend(empty);

    IcsDocument document = IcsDocument::create();
    IcsComponent& event = document.body().addChild(IcsComponent(QStringLiteral("VEVENT")));
    VEventWriter(document, NOW).write(event, nullptr, *after);
    ASSERT_EQ(event.children(u"VALARM").size(), 1);
    EXPECT_EQ(propertyText(*event.children(u"VALARM").first(), u"ACTION"), "ACTION:DISPLAY");
    EXPECT_FALSE(VEventWriter(document, NOW).write(event, before.get(), *after)) << "no change to write";
}

int instanceCount(const QByteArray& bytes) {
    IcalPointer read = readByLibical(bytes);
    int count = 0;
    icalcomponent_foreach_recurrence(
        firstEvent(read.get()), icaltime_from_string("20200101T000000Z"),
        icaltime_from_string("20300101T000000Z"),
        [](icalcomponent*, struct icaltime_span*, void* data) { ++*static_cast<int*>(data); }, &count);
    return count;
}

// Whatever the form of the series' start, a reader matches the EXDATE with the occurrence it removes.
TEST(VEventWriterTest, ExcludedOccurrencesHaveTheFormOfTheStart) {
    DateEnvironmentGuard zone(QStringLiteral("Europe/Berlin"));
    const struct {
        const char* start;
        CalendarDate second;
        const char* exdate;
    } cases[] = {
        {"DTSTART;VALUE=DATE:20260610", at(2026, 6, 11), "EXDATE;VALUE=DATE:20260611"},
        {"DTSTART:20260610", at(2026, 6, 11), "EXDATE;VALUE=DATE:20260611"},
        {"DTSTART;TZID=Europe/Berlin:20260610T093000", at(2026, 6, 11, 9, 30),
         "EXDATE;TZID=Europe/Berlin:20260611T093000"},
        {"DTSTART;TZID=America/New_York:20260610T033000", at(2026, 6, 11, 9, 30), "EXDATE:20260611T073000Z"},
        {"DTSTART:20260610T073000Z", at(2026, 6, 11, 9, 30), "EXDATE:20260611T073000Z"},
        {"DTSTART:20260610T093000", at(2026, 6, 11, 9, 30), "EXDATE:20260611T093000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        IcsDocument document = IcsDocument::parse(QByteArray("BEGIN:VEVENT\nUID:s\n") + c.start +
                                                  "\nRRULE:FREQ=DAILY;COUNT=3\nEND:VEVENT\n");
        IcsComponent& master = *document.event(QStringLiteral("s"));
        const ContentLine exdate =
            VEventWriter::occurrenceLine(QStringLiteral("EXDATE"), master, c.second.toQDateTime());
        EXPECT_EQ(exdate.text(), c.exdate);
        master.addProperty(exdate);
        EXPECT_EQ(instanceCount(document.serialize()), 2);
    }
}

TEST(VEventWriterTest, AnOverrideIsTheMasterAtTheOccurrenceWithTheChanges) {
    DateEnvironmentGuard zone(QStringLiteral("Europe/Berlin"));
    IcsDocument document =
        IcsDocument::parse("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:s\nX-KEEP:1\n"
                           "DTSTART;TZID=Europe/Berlin:20260610T093000\nDURATION:PT1H\n"
                           "RRULE:FREQ=DAILY\nEXDATE:20260613T073000Z\nSUMMARY:Daily\n"
                           "END:VEVENT\nBEGIN:VEVENT\nUID:s\nRECURRENCE-ID:20260612T073000Z\n"
                           "DTSTART;TZID=Asia/Tokyo:20260612T170000\nEND:VEVENT\nEND:VCALENDAR\n");
    const auto before = timedEvent(at(2026, 6, 11, 9, 30), at(2026, 6, 11, 10, 30));
    before->occurrence = before->startDate;
    before->title = QStringLiteral("Daily");
    before->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
    const auto after = before->copy();
    after->title = QStringLiteral("Moved");
    after->startDate = at(2026, 6, 11, 14).toQDateTime();
    after->endDate = at(2026, 6, 11, 15).toQDateTime();
    VEventWriter(document, NOW).addOverride(*document.event(QStringLiteral("s")), *before, *after);
    const IcsComponent* added = document.event(QStringLiteral("s"), QStringLiteral("20260611T093000"));
    ASSERT_TRUE(added);
    EXPECT_EQ(propertyText(*added, u"RECURRENCE-ID"), "RECURRENCE-ID;TZID=Europe/Berlin:20260611T093000");
    EXPECT_EQ(propertyText(*added, u"DTSTART"), "DTSTART;TZID=Europe/Berlin:20260611T140000");
    EXPECT_EQ(propertyText(*added, u"DTEND"), "DTEND;TZID=Europe/Berlin:20260611T150000");
    EXPECT_EQ(propertyText(*added, u"SUMMARY"), "SUMMARY:Moved");
    EXPECT_EQ(propertyText(*added, u"X-KEEP"), "X-KEEP:1");
    for (const char16_t* gone : {u"RRULE", u"EXDATE", u"DURATION"})
        EXPECT_FALSE(added->property(gone));
    EXPECT_EQ(document.events(QStringLiteral("s")).size(), 3);
    // Every zone the file names has its VTIMEZONE, also one named by a component written elsewhere.
    QStringList zones;
    for (const IcsComponent* vtimezone : document.body().children(u"VTIMEZONE"))
        zones.append(propertyText(*vtimezone, u"TZID"));
    EXPECT_EQ(zones, (QStringList{"TZID:Europe/Berlin", "TZID:Asia/Tokyo"}));
}

// The parts of the rule that a record does not hold stay as they were.
TEST(VEventWriterTest, ChangesOnlyTheEndOfARuleWhoseEndChanged) {
    DateEnvironmentGuard zone(QStringLiteral("Europe/Berlin"));
    const struct {
        CalRecurrenceEnd end;
        const char* rule;
    } cases[] = {
        {{true, at(2026, 12, 31, 9, 30).toQDateTime(), 0},
         "RRULE:FREQ=MONTHLY;BYSETPOS=-1;WKST=MO;UNTIL=20261231T083000Z"},
        {{false, {}, 7}, "RRULE:FREQ=MONTHLY;COUNT=7;BYSETPOS=-1;WKST=MO"},
    };
    for (const auto& c : cases) {
        IcsDocument document = IcsDocument::parse(
            "BEGIN:VEVENT\nUID:s\nRRULE:FREQ=MONTHLY;COUNT=5;BYSETPOS=-1;WKST=MO\nEND:VEVENT\n");
        const auto before = timedEvent(at(2026, 6, 1, 9, 30), at(2026, 6, 1, 10, 30));
        before->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Monthly);
        before->recurrenceRule->recurrenceEnd = CalRecurrenceEnd{false, {}, 5};
        const auto after = before->copy();
        after->recurrenceRule->recurrenceEnd = c.end;
        IcsComponent& event = *document.event(QStringLiteral("s"));
        EXPECT_TRUE(VEventWriter(document, NOW).write(event, before.get(), *after));
        EXPECT_EQ(propertyText(event, u"RRULE"), c.rule);
    }
}

TEST(VEventWriterTest, WritesAChangedRuleAndDropsTheRecurrenceOfAnEventThatNoLongerRepeats) {
    DateEnvironmentGuard zone(QStringLiteral("America/New_York"));
    const QByteArray original = "BEGIN:VEVENT\nUID:s\nDTSTART;VALUE=DATE:20260601\nRRULE:FREQ=DAILY\n"
                                "RDATE;VALUE=DATE:20260801\nEXDATE;VALUE=DATE:20260602\nEND:VEVENT\n";
    const auto before = timedEvent(at(2026, 6, 1), at(2026, 6, 2));
    before->isAllDay = true;
    before->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
    const auto weekly = before->copy();
    weekly->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Weekly);
    weekly->recurrenceRule->recurrenceEnd = CalRecurrenceEnd{true, at(2026, 6, 29).toQDateTime(), 0};
    const auto single = before->copy();
    single->recurrenceRule = nullptr;

    IcsDocument document = IcsDocument::parse(original);
    EXPECT_TRUE(
        VEventWriter(document, NOW).write(*document.event(QStringLiteral("s")), before.get(), *weekly));
    IcalPointer read = readByLibical(document.serialize());
    const icalrecurrencetype rule =
        icalproperty_get_rrule(icalcomponent_get_first_property(read.get(), ICAL_RRULE_PROPERTY));
    EXPECT_EQ(rule.freq, ICAL_WEEKLY_RECURRENCE);
    EXPECT_TRUE(rule.until.is_date);
    EXPECT_EQ((std::array{rule.until.year, rule.until.month, rule.until.day}), (std::array{2026, 6, 29}));

    document = IcsDocument::parse(original);
    EXPECT_TRUE(
        VEventWriter(document, NOW).write(*document.event(QStringLiteral("s")), before.get(), *single));
    for (const char16_t* gone : {u"RRULE", u"RDATE", u"EXDATE"})
        EXPECT_FALSE(document.event(QStringLiteral("s"))->property(gone));
}

TEST(VEventWriterTest, RefusesRecordsThatCannotBeWritten) {
    const auto valid = timedEvent(at(2026, 6, 10, 9), at(2026, 6, 10, 9));
    EXPECT_FALSE(VEventWriter::check(*valid));
    const QDateTime faults[][2] = {
        {QDateTime(), valid->endDate},
        {valid->startDate, valid->startDate.addSecs(-1)},
        {valid->startDate, QDateTime(QDate(10000, 1, 1), QTime(0, 0), QTimeZone::utc())}};
    for (const auto& fault : faults) {
        const auto event = valid->copy();
        event->startDate = fault[0];
        event->endDate = fault[1];
        EXPECT_EQ(VEventWriter::check(*event).value_or(StoreError{}).code, StoreError::InvalidRecord);
    }
}

} // namespace
