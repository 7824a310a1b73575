// khal, a real peer on the same folders: it reads what the store writes at the same times as libical, and
// what it writes reaches the store as a change by another program.
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
        ASSERT_TRUE(writeFile(
            QDir(m_root.path()).filePath("khal.conf"),
            QStringLiteral("[calendars]\n[[home]]\npath = %1\ntype = calendar\n[sqlite]\npath = %2\n"
                           "[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                           "datetimeformat = %Y-%m-%d %H:%M\nlongdatetimeformat = %Y-%m-%d %H:%M\n"
                           "local_timezone = Europe/Berlin\ndefault_timezone = Europe/Berlin\n")
                .arg(folder("home"), QDir(m_root.path()).filePath("khal.db"))
                .toUtf8()));
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

TEST_F(KhalPeerTest, TheStoreSeesWhatKhalWrites) {
    VdirCalendarStore store(m_root.path());
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

// A time as libical reads it, in Berlin: a TZID must name a VTIMEZONE of the file.
QString libicalTime(icalproperty* property) {
    const icaltimetype time = icalproperty_get_datetime_with_component(property, nullptr);
    if (time.is_date)
        return QDate(time.year, time.month, time.day).toString(u"yyyy-MM-dd");
    if (icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER)) {
        EXPECT_STREQ(time.zone ? icaltimezone_get_tzid(const_cast<icaltimezone*>(time.zone)) : "",
                     icalparameter_get_tzid(tzid));
    }
    return inBerlin(QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(time, time.zone)));
}

// Zones as servers keep them and readers show them: the zone's abbreviations for names, nothing private,
// none for UTC (a server rewrote times in such a zone into TZID=...:...Z, which nobody reads).
void expectPlainZones(icalcomponent* root) {
    for (icalcomponent* zone = icalcomponent_get_first_component(root, ICAL_VTIMEZONE_COMPONENT); zone;
         zone = icalcomponent_get_next_component(root, ICAL_VTIMEZONE_COMPONENT)) {
        EXPECT_FALSE(icalcomponent_get_first_property(zone, ICAL_X_PROPERTY));
        int offset = 0;
        for (icalcomponent* observance = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT);
             observance; observance = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT)) {
            icalproperty* name = icalcomponent_get_first_property(observance, ICAL_TZNAME_PROPERTY);
            EXPECT_TRUE(name && QString::fromUtf8(icalproperty_get_tzname(name))
                                    .contains(QRegularExpression("^[A-Z]{3,5}$")));
            offset |= icalproperty_get_tzoffsetto(
                icalcomponent_get_first_property(observance, ICAL_TZOFFSETTO_PROPERTY));
        }
        EXPECT_NE(offset, 0);
    }
}

// Each VEVENT of the folder's files as libical reads it: start|end|title, and the occurrence an override
// replaces.
QStringList libicalLines(const QDir& folder) {
    QStringList lines;
    for (const QString& name : folder.entryList({"*.ics"}, QDir::Files)) {
        const std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> root(
            icalparser_parse_string(readFile(folder.filePath(name)).constData()), &icalcomponent_free);
        EXPECT_EQ(icalcomponent_count_errors(root.get()), 0) << name.toStdString();
        expectPlainZones(root.get());
        for (icalcomponent* event = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
             event; event = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT)) {
            QStringList fields{libicalTime(icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY)),
                               libicalTime(icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)),
                               QString::fromUtf8(icalcomponent_get_summary(event))};
            if (icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY))
                fields.append(libicalTime(id));
            lines.append(fields.join(u'|'));
        }
    }
    lines.sort();
    return lines;
}

// Every kind of file the store writes means the same times to khal and to libical: in a zone on both
// sides of its daylight-saving change, in UTC, all day, with each kind of alarm, and a series with an
// occurrence moved where another zone is the default.
TEST_F(KhalPeerTest, KhalAndLibicalReadEachKindOfWrittenFileAtTheSameTimes) {
    VdirCalendarStore store(m_root.path());
    const auto save = [&](
                          const QString& title, const CalendarDate& start, const CalendarDate& end,
                          const std::function<void(CalEvent&)>& adjust = [](CalEvent&) {}) {
        auto event = CalEvent::event();
        event->uid = title.toLower().replace(u' ', u'-');
        event->title = title;
        event->startDate = start.toQDateTime();
        event->endDate = end.toQDateTime();
        event->calendar = store.calendarWithUID("home");
        adjust(*event);
        ASSERT_EQ(store.saveEvent(*event, CalSpan::AllEvents), std::nullopt) << title.toStdString();
    };
    save("Zoned in winter", at(2026, 1, 15, 9, 30), at(2026, 1, 15, 10, 30));
    save("Zoned in summer", at(2026, 7, 1, 18), at(2026, 7, 1, 19, 15));
    save("All day", at(2026, 6, 11), at(2026, 6, 13), [](CalEvent& e) { e.isAllDay = true; });
    save("With alarms", at(2026, 6, 12, 8), at(2026, 6, 12, 9), [](CalEvent& e) {
        e.alarms = {CalAlarm::alarm(), CalAlarm::alarm(), CalAlarm::alarm(), CalAlarm::alarm()};
        e.alarms[1]->setAction(CalAlarm::Email);
        e.alarms[1]->setEmailAddress("me@example.org");
        e.alarms[2]->setUrl(QUrl("file:///usr/bin/true"));
        e.alarms[3]->setSound("bell");
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

    // One line per event or occurrence on each day it covers, an all-day event with its last day.
    QStringList listed =
        khal({"list", "--format", "{start}|{end}|{title}", "--day-format", "", "2026-01-01", "2026-12-31"})
            .split(u'\n', Qt::SkipEmptyParts);
    listed.sort();
    EXPECT_EQ(
        listed,
        (QStringList{"2026-01-15 09:30|2026-01-15 10:30|Zoned in winter",
                     "2026-06-01 10:00|2026-06-01 11:00|Weekly",
                     "2026-06-09 14:00|2026-06-09 15:00|Weekly, moved",
                     "2026-06-11 14:30|2026-06-11 15:30|In UTC", "2026-06-11|2026-06-12|All day",
                     "2026-06-11|2026-06-12|All day", "2026-06-12 08:00|2026-06-12 09:00|With alarms",
                     "2026-06-15 10:00|2026-06-15 11:00|Weekly", "2026-06-22 10:00|2026-06-22 11:00|Weekly",
                     "2026-07-01 18:00|2026-07-01 19:15|Zoned in summer"}));
    EXPECT_EQ(libicalLines(QDir(folder("home"))),
              (QStringList{"2026-01-15 09:30|2026-01-15 10:30|Zoned in winter",
                           "2026-06-01 10:00|2026-06-01 11:00|Weekly",
                           "2026-06-09 14:00|2026-06-09 15:00|Weekly, moved|2026-06-08 10:00",
                           "2026-06-11 14:30|2026-06-11 15:30|In UTC", "2026-06-11|2026-06-13|All day",
                           "2026-06-12 08:00|2026-06-12 09:00|With alarms",
                           "2026-07-01 18:00|2026-07-01 19:15|Zoned in summer"}));
}

} // namespace
