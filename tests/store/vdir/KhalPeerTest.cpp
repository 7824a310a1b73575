// khal, a real peer on the same folders: it reads what the store writes, and what it writes reaches the
// store as a change by another program.
#include "VdirTestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimeZone>

#include <libical/ical.h>

#include <memory>

namespace {

class KhalPeerTest : public VdirTest {
protected:
    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable("khal").isEmpty())
            << "khal is installed by scripts/bootstrap";
        makeCalendar("home", "Home");
        QFile config(QDir(m_root.path()).filePath("khal.conf"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(
            QStringLiteral("[calendars]\n[[home]]\npath = %1\ntype = calendar\n[sqlite]\npath = %2\n"
                           "[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                           "datetimeformat = %Y-%m-%d %H:%M\nlongdatetimeformat = %Y-%m-%d %H:%M\n"
                           "local_timezone = Europe/Berlin\ndefault_timezone = Europe/Berlin\n")
                .arg(folder("home"), QDir(m_root.path()).filePath("khal.db"))
                .toUtf8());
    }

    // What khal lists for 2026, one line per event or occurrence on each day it covers: start|end|title in
    // Berlin, days alone for an all-day event (its last day as the end).
    QStringList khalYear() {
        QStringList lines = khal({"list", "--format", "{start}|{end}|{title}", "--day-format", "",
                                  "2026-01-01", "2026-12-31"})
                                .split(u'\n', Qt::SkipEmptyParts);
        lines.sort();
        return lines;
    }

    QString khal(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_root.path());
        environment.insert("TZ", "Europe/Berlin");
        process.setProcessEnvironment(environment);
        process.start("khal", QStringList{"-c", QDir(m_root.path()).filePath("khal.conf")} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    }
};

TEST_F(KhalPeerTest, KhalListsWhatTheStoreWritesAndTheStoreSeesWhatKhalWrites) {
    VdirCalendarStore store(m_root.path());
    auto event = CalEvent::event();
    event->uid = "written-by-us";
    event->title = "Lunch with Anna";
    event->startDate = at(2026, 6, 11, 12, 30).toQDateTime();
    event->endDate = at(2026, 6, 11, 13, 30).toQDateTime();
    event->calendar = store.calendarWithUID("home");
    ASSERT_EQ(store.saveEvent(*event, CalSpan::AllEvents), std::nullopt);
    EXPECT_TRUE(khal({"list", "2026-06-10", "3d"}).contains("12:30-13:30 Lunch with Anna"));

    QStringList inserted;
    QObject::connect(&store, &CalendarStore::eventsChangedExternally,
                     [&](const StoreChanges& changes) { inserted += changes.inserted; });
    khal({"new", "-a", "home", "2026-06-12", "10:00", "11:00", "Written by khal"});
    ASSERT_TRUE(waitFor([&] { return !inserted.isEmpty(); }));
    const EventList events =
        store.events(at(2026, 6, 12).toQDateTime(), at(2026, 6, 13).toQDateTime(), store.calendars());
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events.front()->uid, inserted.front());
    EXPECT_EQ(events.front()->title, "Written by khal");
    EXPECT_EQ(events.front()->startDate, at(2026, 6, 12, 10).toQDateTime());
}

QString inBerlin(const QDateTime& instant) {
    return instant.toTimeZone(QTimeZone("Europe/Berlin")).toString(u"yyyy-MM-dd HH:mm");
}

// The line khal lists for an event as the store reads it.
QString storesLine(const CalEvent& event) {
    if (event.isAllDay)
        return event.startDate.toTimeZone(QTimeZone("Europe/Berlin")).toString(u"yyyy-MM-dd") + u'|' +
               event.endDate.addDays(-1).toTimeZone(QTimeZone("Europe/Berlin")).toString(u"yyyy-MM-dd") +
               u'|' + event.title;
    return inBerlin(event.startDate) + u'|' + inBerlin(event.endDate) + u'|' + event.title;
}

// A time as libical reads it, with the zone of the file's VTIMEZONE when it names one.
QString libicalTime(icalproperty* property) {
    const icaltimetype time = icalproperty_get_datetime_with_component(property, nullptr);
    if (time.is_date)
        return QDate(time.year, time.month, time.day).toString(u"yyyy-MM-dd");
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    EXPECT_EQ(!tzid, bool(icaltime_is_utc(time))) << "a time is either in UTC or names its zone";
    if (tzid) {
        EXPECT_TRUE(time.zone) << icalparameter_get_tzid(tzid) << " has no VTIMEZONE";
        if (time.zone) {
            EXPECT_STREQ(icaltimezone_get_tzid(const_cast<icaltimezone*>(time.zone)),
                         icalparameter_get_tzid(tzid));
        }
    }
    return inBerlin(QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(time, time.zone)));
}

// What servers keep as it is and readers show: the zone's abbreviations, nothing private, no zone of its
// own for UTC (one server rewrote such times into TZID=...:...Z, which nobody reads).
void expectPlainZones(icalcomponent* root, const QString& file) {
    for (icalcomponent* zone = icalcomponent_get_first_component(root, ICAL_VTIMEZONE_COMPONENT); zone;
         zone = icalcomponent_get_next_component(root, ICAL_VTIMEZONE_COMPONENT)) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_FALSE(icalcomponent_get_first_property(zone, ICAL_X_PROPERTY));
        bool offsetFromUtc = false;
        for (icalcomponent* observance = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT);
             observance; observance = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT)) {
            icalproperty* name = icalcomponent_get_first_property(observance, ICAL_TZNAME_PROPERTY);
            ASSERT_TRUE(name);
            EXPECT_TRUE(
                QString::fromUtf8(icalproperty_get_tzname(name)).contains(QRegularExpression("^[A-Z]{3,5}$")))
                << icalproperty_get_tzname(name);
            icalproperty* offset = icalcomponent_get_first_property(observance, ICAL_TZOFFSETTO_PROPERTY);
            offsetFromUtc = offsetFromUtc || (offset && icalproperty_get_tzoffsetto(offset) != 0);
        }
        EXPECT_TRUE(offsetFromUtc);
    }
}

// Each component of each file as libical reads it: start|end|title, and for a moved occurrence the
// occurrence it replaces.
QStringList libicalLines(const QDir& folder) {
    QStringList lines;
    for (const QString& name : folder.entryList({"*.ics"}, QDir::Files)) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> root(
            icalparser_parse_string(file.readAll().constData()), &icalcomponent_free);
        EXPECT_TRUE(root) << name.toStdString();
        EXPECT_EQ(icalcomponent_count_errors(root.get()), 0) << name.toStdString();
        expectPlainZones(root.get(), name);
        for (icalcomponent* event = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
             event; event = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT)) {
            QString line = libicalTime(icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY)) +
                           u'|' + libicalTime(icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) +
                           u'|' + QString::fromUtf8(icalcomponent_get_summary(event));
            if (icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY))
                line += u'|' + libicalTime(id);
            lines.append(line);
        }
    }
    lines.sort();
    return lines;
}

std::shared_ptr<CalAlarm> alarmOfKind(CalAlarm::Action action) {
    auto alarm = CalAlarm::alarm();
    alarm->setRelativeTrigger(-900);
    if (action == CalAlarm::Sound)
        alarm->setSound("alarm-clock-elapsed");
    if (action == CalAlarm::Procedure)
        alarm->setUrl(QUrl("file:///usr/bin/true"));
    if (action == CalAlarm::Email)
        alarm->setEmailAddress("me@example.org");
    alarm->setAction(action);
    return alarm;
}

// Every kind of file the store writes means the same times to khal and to libical as to the store: in a
// zone on both sides of its daylight-saving change, in UTC, all day, with each kind of alarm, and a series
// with an occurrence moved where another zone is the default.
TEST_F(KhalPeerTest, KhalAndLibicalReadEachKindOfWrittenFileAtTheSameTimes) {
    VdirCalendarStore store(m_root.path());
    const auto save = [&](const QString& title, const CalendarDate& start, const CalendarDate& end,
                          const std::function<void(CalEvent&)>& adjust = {}) {
        auto event = CalEvent::event();
        event->uid = title.toLower().replace(u' ', u'-');
        event->title = title;
        event->startDate = start.toQDateTime();
        event->endDate = end.toQDateTime();
        event->calendar = store.calendarWithUID("home");
        if (adjust)
            adjust(*event);
        ASSERT_EQ(store.saveEvent(*event, CalSpan::AllEvents), std::nullopt) << title.toStdString();
    };
    save("Zoned in winter", at(2026, 1, 15, 9, 30), at(2026, 1, 15, 10, 30));
    save("Zoned in summer", at(2026, 7, 1, 18), at(2026, 7, 1, 19, 15));
    save("All day", at(2026, 6, 11), at(2026, 6, 13), [](CalEvent& e) { e.isAllDay = true; });
    save("With alarms", at(2026, 6, 12, 8), at(2026, 6, 12, 9), [](CalEvent& e) {
        for (CalAlarm::Action action :
             {CalAlarm::Display, CalAlarm::Email, CalAlarm::Procedure, CalAlarm::Sound})
            e.alarms.append(alarmOfKind(action));
    });
    save("Weekly", at(2026, 6, 1, 10), at(2026, 6, 1, 11), [](CalEvent& e) {
        e.recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Weekly);
        e.recurrenceRule->recurrenceEnd = CalRecurrenceEnd{false, {}, 4};
    });
    {
        DateEnvironmentGuard utc(QStringLiteral("Etc/UTC"));
        save("In UTC", at(2026, 6, 11, 12, 30), at(2026, 6, 11, 13, 30));
    }
    {
        DateEnvironmentGuard travelling(QStringLiteral("America/New_York"));
        const EventList second = store.events(at(2026, 6, 8).toQDateTime(), at(2026, 6, 9).toQDateTime(),
                                              QStringLiteral("weekly"), store.calendars());
        ASSERT_EQ(second.size(), 1);
        auto moved = second.front()->copy();
        moved->title = "Weekly, moved";
        moved->startDate = at(2026, 6, 9, 8).toQDateTime();
        moved->endDate = at(2026, 6, 9, 9).toQDateTime();
        ASSERT_EQ(store.saveEvent(*moved, CalSpan::ThisEvent), std::nullopt);
    }

    const QStringList expected{"2026-01-15 09:30|2026-01-15 10:30|Zoned in winter",
                               "2026-06-01 10:00|2026-06-01 11:00|Weekly",
                               "2026-06-09 14:00|2026-06-09 15:00|Weekly, moved",
                               "2026-06-11 14:30|2026-06-11 15:30|In UTC",
                               "2026-06-11|2026-06-12|All day",
                               "2026-06-12 08:00|2026-06-12 09:00|With alarms",
                               "2026-06-15 10:00|2026-06-15 11:00|Weekly",
                               "2026-06-22 10:00|2026-06-22 11:00|Weekly",
                               "2026-07-01 18:00|2026-07-01 19:15|Zoned in summer"};
    QStringList stores;
    for (const auto& event :
         store.events(at(2026, 1, 1).toQDateTime(), at(2027, 1, 1).toQDateTime(), store.calendars()))
        stores.append(storesLine(*event));
    stores.sort();
    EXPECT_EQ(stores, expected);
    QStringList listed = expected;
    listed.insert(4, "2026-06-11|2026-06-12|All day"); // on each of its two days
    EXPECT_EQ(khalYear(), listed);
    EXPECT_EQ(libicalLines(QDir(folder("home"))),
              (QStringList{"2026-01-15 09:30|2026-01-15 10:30|Zoned in winter",
                           "2026-06-01 10:00|2026-06-01 11:00|Weekly",
                           "2026-06-09 14:00|2026-06-09 15:00|Weekly, moved|2026-06-08 10:00",
                           "2026-06-11 14:30|2026-06-11 15:30|In UTC", "2026-06-11|2026-06-13|All day",
                           "2026-06-12 08:00|2026-06-12 09:00|With alarms",
                           "2026-07-01 18:00|2026-07-01 19:15|Zoned in summer"}));
}

} // namespace
