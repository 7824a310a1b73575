#include "ChildProcess.h"
#include "VdirTestSupport.h"

#include "store/vdir/AtomicFileWriter.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <spawn.h>

namespace {

const QByteArray WEEKLY =
    ics("BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Standup\r\n"
        "DTSTART;TZID=Europe/Berlin:20260601T090000\r\nDTEND;TZID=Europe/Berlin:20260601T093000\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=10\r\nEXDATE;TZID=Europe/Berlin:20260615T090000\r\nX-PEER-NOTE:kept\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20260101T000000Z\r\nRECURRENCE-ID;TZID=Europe/"
        "Berlin:20260622T090000\r\n"
        "SUMMARY:Moved\r\nDTSTART;TZID=Europe/Berlin:20260623T100000\r\nDTEND;TZID=Europe/"
        "Berlin:20260623T103000\r\n"
        "END:VEVENT\r\n");

// Makes every write fail, as a full disk does.
class FullDisk : public FileWriter {
public:
    std::optional<StoreError> write(const QString&, const QByteArray&, Mode) override { return failure(); }
    std::optional<StoreError> remove(const QString&) override { return failure(); }

private:
    static StoreError failure() {
        return StoreError{StoreError::DOMAIN_NAME, StoreError::WriteFailed, "full", ""};
    }
};

QStringList lines(const QByteArray& text) {
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n "), QString()).split(QStringLiteral("\r\n"));
}

class VdirCalendarStoreTest : public VdirTest {
protected:
    // "06-01 09:00 Standup" for each occurrence, by start.
    QStringList summary(VdirCalendarStore& store) {
        EventList events = all(store);
        std::sort(events.begin(), events.end(), [](auto& a, auto& b) { return a->startDate < b->startDate; });
        QStringList result;
        for (const auto& e : events)
            result.append(CalendarDate::fromQDateTime(e->startDate)
                              .toQDateTime()
                              .toTimeZone(QTimeZone("Europe/Berlin"))
                              .toString("MM-dd HH:mm ") +
                          e->title);
        return result;
    }
    std::shared_ptr<CalEvent> occurrenceAt(VdirCalendarStore& store, const QString& uid,
                                           const CalendarDate& start) {
        for (const auto& e : all(store)) {
            if (e->uid == uid && e->occurrence == start.toQDateTime())
                return e;
        }
        return nullptr;
    }
};

TEST_F(VdirCalendarStoreTest, NewEventsAreWrittenInTheDefaultZoneAndAnnouncedBeforeSaveReturns) {
    makeCalendar("home", "Home");
    VdirCalendarStore store(m_root.path());
    ASSERT_EQ(store.calendars().size(), 1);
    EXPECT_EQ(store.calendars().front()->title, "Home");
    QList<StoreChanges> announced;
    QObject::connect(&store, &CalendarStore::eventsChanged,
                     [&](const StoreChanges& c) { announced.append(c); });

    const auto timed = hourLong(store, "lunch@example.org", "Lunch, with \"Anna\"", at(2026, 6, 10, 12));
    auto allDay = timed->copy();
    allDay->uid = "trip/with:odd?chars";
    allDay->isAllDay = true;
    allDay->startDate = at(2026, 6, 12).toQDateTime();
    allDay->endDate = at(2026, 6, 15).toQDateTime();

    ASSERT_EQ(store.saveEvent(*timed, CalSpan::AllEvents), std::nullopt);
    ASSERT_EQ(announced.size(), 1);
    EXPECT_EQ(announced.front().inserted, QStringList{"lunch@example.org"});
    const QByteArray text = read("home", "lunch@example.org.ics");
    EXPECT_TRUE(text.contains("DTSTART;TZID=Europe/Berlin:20260610T120000\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"));

    ASSERT_EQ(store.saveEvent(*allDay, CalSpan::AllEvents), std::nullopt);
    // A uid that is not safe as a file name gives a file name of its own.
    const QStringList files = QDir(folder("home")).entryList({"*.ics"});
    ASSERT_EQ(files.size(), 2);
    const QString allDayFile = files.front() == "lunch@example.org.ics" ? files.back() : files.front();
    EXPECT_TRUE(
        read("home", allDayFile).contains("DTSTART;VALUE=DATE:20260612\r\nDTEND;VALUE=DATE:20260615"));

    const EventList events = all(store);
    ASSERT_EQ(events.size(), 2);
    for (const auto& e : events) {
        EXPECT_EQ(e->calendar, store.calendarWithUID("home"));
        ASSERT_TRUE(e->source);
        if (e->uid == timed->uid) {
            EXPECT_EQ(e->title, timed->title);
            EXPECT_EQ(e->startDate, timed->startDate);
        } else {
            EXPECT_TRUE(e->isAllDay);
            EXPECT_EQ(e->endDate, allDay->endDate);
        }
    }
}

TEST_F(VdirCalendarStoreTest, EventsAndSeriesMovedToAnotherCalendarAreFoundThereAndCanBeChangedAgain) {
    makeCalendar("home", "Home");
    makeCalendar("work", "Work");
    write("home", "weekly.ics", WEEKLY);
    VdirCalendarStore store(m_root.path());
    const auto withUid = [&](const QString& uid) {
        return store.events(at(2026, 1, 1).toQDateTime(), at(2027, 1, 1).toQDateTime(), uid,
                            store.calendars());
    };
    ASSERT_EQ(store.saveEvent(*hourLong(store, "review", "Review", at(2026, 6, 10, 12)), CalSpan::AllEvents),
              std::nullopt);
    auto moved = withUid("review").value(0)->copy();
    moved->calendar = store.calendarWithUID("work");
    moved->title = "Moved review";
    ASSERT_EQ(store.saveEvent(*moved, CalSpan::AllEvents), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(path("home", "review.ics")));
    EXPECT_EQ(QDir(folder("work")).entryList({"*.ics"}), QStringList{"review.ics"});
    EventList found = withUid("review");
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.front()->calendar, store.calendarWithUID("work"));
    EXPECT_EQ(found.front()->title, "Moved review");

    // Moved back, and changed again where it is.
    moved = found.front()->copy();
    moved->calendar = store.calendarWithUID("home");
    ASSERT_EQ(store.saveEvent(*moved, CalSpan::AllEvents), std::nullopt);
    moved = withUid("review").value(0)->copy();
    EXPECT_EQ(moved->calendar, store.calendarWithUID("home"));
    moved->title = "Back home";
    ASSERT_EQ(store.saveEvent(*moved, CalSpan::AllEvents), std::nullopt);
    ASSERT_EQ(withUid("review").size(), 1);
    EXPECT_EQ(withUid("review").front()->title, "Back home");
    EXPECT_TRUE(QDir(folder("work")).entryList({"*.ics"}).isEmpty());

    // A whole series, the same way.
    const QStringList before = summary(store);
    auto series = occurrenceAt(store, "weekly", at(2026, 6, 1, 9))->copy();
    series->calendar = store.calendarWithUID("work");
    ASSERT_EQ(store.saveEvent(*series, CalSpan::AllEvents), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(path("home", "weekly.ics")));
    EXPECT_TRUE(QFileInfo::exists(path("work", "weekly.ics")));
    found = withUid("weekly");
    ASSERT_FALSE(found.isEmpty());
    for (const auto& e : found)
        EXPECT_EQ(e->calendar->uid, "work");
    EXPECT_EQ(summary(store), before);

    auto back = found.front()->copy();
    back->calendar = store.calendarWithUID("home");
    ASSERT_EQ(store.saveEvent(*back, CalSpan::AllEvents), std::nullopt);
    EXPECT_TRUE(QFileInfo::exists(path("home", "weekly.ics")));
    EXPECT_FALSE(QFileInfo::exists(path("work", "weekly.ics")));
}

TEST_F(VdirCalendarStoreTest, WritingBackKeepsWhatTheProgramDoesNotOwn) {
    makeCalendar("home");
    const QByteArray original =
        ics("X-WR-CALNAME:Peer\r\nBEGIN:VEVENT\r\nUID:kept\r\nDTSTAMP:20260101T000000Z\r\nSEQUENCE:3\r\n"
            "DTSTART:20260610T100000Z\r\nDTEND:20260610T110000Z\r\nSUMMARY:Old title\r\nDESCRIPTION:\r\n"
            "ATTENDEE;CN=\"Doe, Jane\";PARTSTAT=ACCEPTED;X-CUSTOM=1:mailto:jane@example.org\r\n"
            "CATEGORIES:Work,Travel\r\nX-PEER-PROP;X-PARAM=a:value\r\nUNKNOWN-IANA-PROP:something\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT10M\r\nX-ALARM-PROP:"
            "1\r\nEND:VALARM\r\n"
            "END:VEVENT\r\nBEGIN:X-VENDOR-THING\r\nX-DATA:1\r\nEND:X-VENDOR-THING\r\n");
    write("home", "kept.ics", original);
    VdirCalendarStore store(m_root.path());
    auto event = all(store).value(0);
    ASSERT_TRUE(event);
    auto edited = event->copy();
    edited->title = "New title";
    ASSERT_EQ(store.saveEvent(*edited, CalSpan::AllEvents), std::nullopt);

    const QStringList after = lines(read("home", "kept.ics"));
    static const QRegularExpression changes(QStringLiteral("^(SUMMARY|DTSTAMP|LAST-MODIFIED|SEQUENCE):"));
    for (const QString& line : lines(original)) {
        EXPECT_TRUE(changes.match(line).hasMatch() || after.contains(line)) << "lost: " << line.toStdString();
    }
    EXPECT_TRUE(after.contains("SUMMARY:New title"));
    EXPECT_TRUE(after.contains("SEQUENCE:4"));
    // Saving a record unchanged writes nothing new.
    const QByteArray settled = read("home", "kept.ics");
    ASSERT_EQ(store.saveEvent(*all(store).value(0), CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(read("home", "kept.ics"), settled);
}

// A run-program alarm hands its program the DESCRIPTION as one argument, so nothing in it may be lost
// or changed on the way through the file, the index and a rewrite of the alarms.
TEST_F(VdirCalendarStoreTest, ARunProgramAlarmKeepsItsArgumentExactly) {
    makeCalendar("home");
    const QString argument = QStringLiteral("it's $HOME; \"quoted\", a\\b");
    write("home", "run.ics",
          ics("BEGIN:VEVENT\r\nUID:run\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:20260610T100000Z\r\n"
              "DTEND:20260610T110000Z\r\nSUMMARY:Backup\r\n"
              "BEGIN:VALARM\r\nACTION:PROCEDURE\r\nTRIGGER:-PT5M\r\nATTACH:file:///usr/bin/backup\r\n"
              "DESCRIPTION:it's $HOME\\; \"quoted\"\\, a\\\\b\r\nEND:VALARM\r\nEND:VEVENT\r\n"));
    const auto argumentsIn = [&](VdirCalendarStore& store) {
        const auto event = all(store).value(0);
        return event && event->alarms.size() >= 1 ? event->alarms.front()->procedureArguments() : QString();
    };
    {
        VdirCalendarStore store(m_root.path());
        EXPECT_EQ(argumentsIn(store), argument);
        // Another alarm makes the writer write every alarm anew.
        auto edited = all(store).value(0)->copy();
        edited->alarms.append(CalAlarm::alarm());
        ASSERT_EQ(store.saveEvent(*edited, CalSpan::AllEvents), std::nullopt);
        ASSERT_EQ(all(store).value(0)->alarms.size(), 2);
        EXPECT_EQ(argumentsIn(store), argument);
    }
    // Old enough to go into the index: the first store parses the file, the second takes the index.
    letSettle();
    for (int pass = 0; pass < 2; ++pass) {
        VdirCalendarStore reread(m_root.path());
        EXPECT_EQ(argumentsIn(reread), argument) << "pass " << pass;
    }
    EXPECT_TRUE(read("home", "run.ics").contains("ATTACH:file:///usr/bin/backup\r\n"));
}

TEST_F(VdirCalendarStoreTest, AFileChangedByAnotherProgramIsNeverOverwritten) {
    makeCalendar("home");
    write("home", "weekly.ics", WEEKLY);
    VdirCalendarStore store(m_root.path());
    auto event = all(store).value(0)->copy();
    event->title = "Mine";

    // The same bytes written again (a touch) are no conflict.
    spin(20);
    write("home", "weekly.ics", WEEKLY);
    ASSERT_EQ(store.saveEvent(*event, CalSpan::AllEvents), std::nullopt);

    const QByteArray theirs =
        ics("BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Theirs\r\n"
            "DTSTART:20260601T070000Z\r\nEND:VEVENT\r\n");
    write("home", "weekly.ics", theirs); // before the watcher has told the store
    for (CalSpan span : {CalSpan::ThisEvent, CalSpan::AllEvents}) {
        const auto saved = store.saveEvent(*event, span);
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->code, StoreError::ChangedOnDisk);
        const auto removed = store.removeEvent(*event, span);
        ASSERT_TRUE(removed);
        EXPECT_EQ(removed->code, StoreError::ChangedOnDisk);
    }
    EXPECT_EQ(read("home", "weekly.ics"), theirs);
}

TEST_F(VdirCalendarStoreTest, RefusedAndFailedWritesLeaveEverythingAsItWas) {
    makeCalendar("subscribed");
    write("subscribed", "readonly", "");
    write("subscribed", "weekly.ics", WEEKLY);
    makeCalendar("home");
    write("home", "broken.ics", "BEGIN:VCALENDAR\r\nthis is not\xff\xfe iCalendar\r\n");
    write("home", "weekly.ics", WEEKLY);
    {
        VdirCalendarStore store(m_root.path());
        EXPECT_FALSE(store.calendarWithUID("subscribed")->isEditable);
        auto readOnly = occurrenceAt(store, "weekly", at(2026, 6, 8, 9));
        ASSERT_TRUE(readOnly);
        // The home file repeats the uid; the first calendar read (home) holds it, so take its record.
        EXPECT_EQ(readOnly->calendar->uid, "home");
    }
    QDir(folder("home")).remove("weekly.ics");
    VdirCalendarStore store(m_root.path(), std::make_unique<FullDisk>());
    auto event = occurrenceAt(store, "weekly", at(2026, 6, 8, 9));
    ASSERT_TRUE(event);
    const auto refused = store.removeEvent(*event, CalSpan::AllEvents);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code, StoreError::ReadOnly);

    int announced = 0;
    QObject::connect(&store, &CalendarStore::eventsChanged, [&] { ++announced; });
    auto created = event->copy();
    created->uid = "new";
    created->source = nullptr;
    created->calendar = store.calendarWithUID("home");
    const auto failed = store.saveEvent(*created, CalSpan::AllEvents);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->code, StoreError::WriteFailed);
    EXPECT_EQ(announced, 0);
    EXPECT_EQ(QDir(folder("home")).entryList({"*.ics"}), QStringList{"broken.ics"});
    EXPECT_EQ(read("subscribed", "weekly.ics"), WEEKLY);
    EXPECT_EQ(read("home", "broken.ics"), "BEGIN:VCALENDAR\r\nthis is not\xff\xfe iCalendar\r\n");
    EXPECT_EQ(all(store).size(), 9); // only the subscription's series
}

TEST_F(VdirCalendarStoreTest, SpansChangeOneOccurrenceTheFutureOrTheWholeSeries) {
    makeCalendar("home");
    write("home", "weekly.ics", WEEKLY);
    VdirCalendarStore store(m_root.path());
    QList<StoreChanges> announced;
    QObject::connect(&store, &CalendarStore::eventsChanged,
                     [&](const StoreChanges& c) { announced.append(c); });
    EXPECT_EQ(summary(store),
              QStringList({"06-01 09:00 Standup", "06-08 09:00 Standup", "06-23 10:00 Moved",
                           "06-29 09:00 Standup", "07-06 09:00 Standup", "07-13 09:00 Standup",
                           "07-20 09:00 Standup", "07-27 09:00 Standup", "08-03 09:00 Standup"}));

    auto one = occurrenceAt(store, "weekly", at(2026, 6, 8, 9))->copy();
    one->title = "Special";
    ASSERT_EQ(store.saveEvent(*one, CalSpan::ThisEvent), std::nullopt);
    EXPECT_EQ(summary(store).value(1), "06-08 09:00 Special");
    EXPECT_TRUE(occurrenceAt(store, "weekly", at(2026, 6, 8, 9))->isDetached);

    // From June 29 on, an hour later: the series splits, the later part under a new uid with the rest
    // of the COUNT.
    auto future = occurrenceAt(store, "weekly", at(2026, 6, 29, 9))->copy();
    future->startDate = at(2026, 6, 29, 10).toQDateTime();
    future->endDate = at(2026, 6, 29, 10, 30).toQDateTime();
    ASSERT_EQ(store.saveEvent(*future, CalSpan::FutureEvents), std::nullopt);
    ASSERT_EQ(announced.last().updated, QStringList{"weekly"});
    ASSERT_EQ(announced.last().inserted.size(), 1);
    const QString later = announced.last().inserted.front();
    EXPECT_EQ(summary(store),
              QStringList({"06-01 09:00 Standup", "06-08 09:00 Special", "06-23 10:00 Moved",
                           "06-29 10:00 Standup", "07-06 10:00 Standup", "07-13 10:00 Standup",
                           "07-20 10:00 Standup", "07-27 10:00 Standup", "08-03 10:00 Standup"}));
    EXPECT_TRUE(read("home", "weekly.ics").contains("X-PEER-NOTE:kept"));

    ASSERT_EQ(store.removeEvent(*occurrenceAt(store, later, at(2026, 7, 6, 10)), CalSpan::ThisEvent),
              std::nullopt);
    ASSERT_EQ(store.removeEvent(*occurrenceAt(store, later, at(2026, 7, 20, 10)), CalSpan::FutureEvents),
              std::nullopt);
    EXPECT_EQ(summary(store), QStringList({"06-01 09:00 Standup", "06-08 09:00 Special", "06-23 10:00 Moved",
                                           "06-29 10:00 Standup", "07-13 10:00 Standup"}));

    // Moving one occurrence by a day with the whole series moves every occurrence.
    auto moved = occurrenceAt(store, "weekly", at(2026, 6, 1, 9))->copy();
    moved->startDate = at(2026, 6, 2, 9).toQDateTime();
    moved->endDate = at(2026, 6, 2, 9, 30).toQDateTime();
    ASSERT_EQ(store.saveEvent(*moved, CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(summary(store).value(0), "06-02 09:00 Standup");

    ASSERT_EQ(store.removeEvent(*moved, CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(announced.last().deleted, QStringList{"weekly"});
    EXPECT_FALSE(QFile::exists(path("home", "weekly.ics")));
    const auto unknown = store.removeEvent(*moved, CalSpan::AllEvents);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->code, StoreError::NotFound);
}

TEST_F(VdirCalendarStoreTest, ADeletedSeriesIsWrittenBackExactlyFromItsRecord) {
    makeCalendar("home");
    QByteArray weekly = WEEKLY;
    weekly.replace("UID:weekly", "UID:week\\,ly"); // found by its value, not its text
    write("home", "weekly.ics", weekly);
    VdirCalendarStore store(m_root.path());
    const auto record = occurrenceAt(store, "week,ly", at(2026, 6, 8, 9));
    ASSERT_TRUE(record);
    ASSERT_EQ(store.removeEvent(*record, CalSpan::AllEvents), std::nullopt);
    ASSERT_TRUE(all(store).isEmpty());
    ASSERT_EQ(store.saveEvent(*record, CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(read("home", "weekly.ics"), weekly);
    EXPECT_EQ(all(store).size(), 9);
}

TEST_F(VdirCalendarStoreTest, ChangesByOtherProgramsArriveCoalescedAndOwnChangesDoNotEcho) {
    makeCalendar("home", "Home");
    VdirCalendarStore store(m_root.path());
    QList<StoreChanges> events, calendars;
    QObject::connect(&store, &CalendarStore::eventsChangedExternally,
                     [&](const StoreChanges& c) { events.append(c); });
    QObject::connect(&store, &CalendarStore::calendarsChangedExternally,
                     [&](const StoreChanges& c) { calendars.append(c); });
    const QByteArray one = ics("BEGIN:VEVENT\r\nUID:peer\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:One\r\n"
                               "DTSTART:20260610T100000Z\r\nEND:VEVENT\r\n");
    AtomicFileWriter peer; // creates by link and updates by rename, as the peers do
    ASSERT_EQ(peer.write(path("home", "peer.ics"), one, FileWriter::Mode::Create), std::nullopt);
    ASSERT_TRUE(waitFor([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events.takeFirst().inserted, QStringList{"peer"});

    QByteArray two = one;
    ASSERT_EQ(peer.write(path("home", "peer.ics"), two.replace("One", "Two"), FileWriter::Mode::Replace),
              std::nullopt);
    ASSERT_TRUE(waitFor([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events.takeFirst().updated, QStringList{"peer"});
    EXPECT_EQ(all(store).value(0)->title, "Two");

    write("home", "peer.ics", two.replace("Two", "Three")); // in place
    ASSERT_TRUE(waitFor([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events.takeFirst().updated, QStringList{"peer"});

    auto mine = all(store).value(0)->copy();
    mine->title = "Mine";
    ASSERT_EQ(store.saveEvent(*mine, CalSpan::AllEvents), std::nullopt);
    spin(3 * VdirCalendarStore::WATCH_DELAY_MS);
    EXPECT_TRUE(events.isEmpty());

    QFile::remove(path("home", "peer.ics"));
    ASSERT_TRUE(waitFor([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events.takeFirst().deleted, QStringList{"peer"});

    makeCalendar("work", "Work");
    ASSERT_TRUE(waitFor([&] { return !calendars.isEmpty(); }));
    EXPECT_EQ(calendars.takeFirst().inserted, QStringList{"work"});
    write("work", "displayname", "Office\n");
    ASSERT_TRUE(waitFor([&] { return !calendars.isEmpty(); }));
    EXPECT_EQ(calendars.takeFirst().updated, QStringList{"work"});
    EXPECT_EQ(store.calendarWithUID("work")->title, "Office");
    QDir(folder("work")).removeRecursively();
    ASSERT_TRUE(waitFor([&] { return !calendars.isEmpty(); }));
    EXPECT_EQ(calendars.takeFirst().deleted, QStringList{"work"});
}

TEST_F(VdirCalendarStoreTest, CalendarsAreFoldersWithTheirMetadata) {
    VdirCalendarStore store(m_root.path());
    auto calendar = CalCalendar::calendar();
    calendar->uid = "family";
    calendar->title = "Family";
    calendar->color = "#AA3300";
    ASSERT_EQ(store.saveCalendar(*calendar), std::nullopt);
    EXPECT_EQ(read("family", "displayname"), "Family\n");
    EXPECT_EQ(read("family", "color"), "#AA3300\n");
    write("family", "color", " #11223344 \n");
    VdirCalendarStore reread(m_root.path());
    EXPECT_EQ(reread.calendarWithUID("family")->color, "#112233");
    ASSERT_EQ(reread.removeCalendar(*calendar), std::nullopt);
    EXPECT_FALSE(QDir(folder("family")).exists());

    // Folders made without a colour tell apart by their names, the same on every start, and a rename
    // writes no colour that would win over one a sync brings later.
    makeCalendar("personal");
    makeCalendar("work");
    VdirCalendarStore third(m_root.path());
    EXPECT_EQ(third.calendarWithUID("personal")->color, "#2E8B9A");
    EXPECT_EQ(third.calendarWithUID("work")->color, "#3A6EA5");
    auto personal = third.calendarWithUID("personal");
    personal->title = "Mine";
    ASSERT_EQ(third.saveCalendar(*personal), std::nullopt);
    EXPECT_EQ(read("personal", "displayname"), "Mine\n");
    EXPECT_FALSE(QFileInfo::exists(path("personal", "color")));
}

// Each file read reserves only what the file holds, and its kept text no more: a first start on thousands
// of files fits a strict limit on address space and leaves room to start a program.
TEST_F(VdirCalendarStoreTest, AColdStartOnThousandsOfFilesFitsInFourGigabytesAndCanStartAProgram) {
    if (ADDRESS_SANITIZER)
        GTEST_SKIP() << "the address sanitizer's shadow memory alone needs far more address space";
    makeCalendar("home");
    for (int i = 0; i < 3000; ++i)
        write("home", QStringLiteral("e%1.ics").arg(i),
              QString::fromLatin1(WEEKLY).replace("weekly", QString::number(i)).toLatin1());
    EXPECT_TRUE(succeedsInChild(
        [&] {
            VdirCalendarStore store(m_root.path()); // no index yet: every file is read
            char program[] = "/bin/true";
            char* arguments[] = {program, nullptr};
            pid_t child = 0;
            int status = -1;
            return all(store).size() == 3000 * 9 &&
                   ::posix_spawn(&child, program, nullptr, nullptr, arguments, environ) == 0 &&
                   ::waitpid(child, &status, 0) == child && status == 0;
        },
        120, rlim_t(4) << 30));
}

} // namespace
