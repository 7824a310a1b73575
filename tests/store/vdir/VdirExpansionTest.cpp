// Files as other programs write them, read through the store on a temporary folder: RDATE periods,
// several RRULEs, a RECURRENCE-ID that names a day of an all-day series by a time, and rules with a
// broken part. The occurrences are worked out by hand.
#include "VdirTestSupport.h"

#include "store/ics/RecurrenceRuleText.h"

#include <QTimeZone>

namespace {

QByteArray event(const QByteArray& uid, const QByteArray& lines) {
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\n" + lines + "END:VEVENT\r\n";
}

const QByteArray SEVERAL_RULES = event("rules", "DTSTART:20240101T100000Z\r\nDURATION:PT1H\r\nSUMMARY:R\r\n"
                                                "RRULE:FREQ=WEEKLY;COUNT=3\r\nRRULE:FREQ=MONTHLY;COUNT=3\r\n"
                                                "RRULE:FREQ=DAILY;INTERVAL=14;UNTIL=20240130T000000Z\r\n"
                                                "EXDATE:20240108T100000Z\r\n");

class VdirExpansionTest : public VdirTest {
protected:
    void SetUp() override { makeCalendar("home"); }
    // Sorted by start, of one uid or of all.
    EventList events(VdirCalendarStore& store, const QString& uid = QString()) const {
        EventList all =
            store.events(at(2020, 1, 1).toQDateTime(), at(2026, 1, 1).toQDateTime(), store.calendars());
        all.removeIf([&](const auto& e) { return !uid.isEmpty() && e->uid != uid; });
        std::sort(all.begin(), all.end(), [](auto& a, auto& b) {
            return std::pair(a->startDate, a->title) < std::pair(b->startDate, b->title);
        });
        return all;
    }
    // "2024-09-13 14:00 +120 title, ...": each occurrence's start in Berlin and its length in minutes.
    QString occurrences(VdirCalendarStore& store, const QString& uid = QString()) const {
        QStringList result;
        for (const auto& e : events(store, uid))
            result.append(e->startDate.toTimeZone(QTimeZone("Europe/Berlin")).toString("yyyy-MM-dd HH:mm ") +
                          QStringLiteral("+%1 %2").arg(e->startDate.secsTo(e->endDate) / 60).arg(e->title));
        return result.join(", ");
    }
    std::shared_ptr<CalEvent> find(VdirCalendarStore& store, const QString& title, int day = 0) const {
        for (const auto& e : events(store))
            if (e->title == title && (day == 0 || e->occurrence == at(2024, 1, day, 11).toQDateTime()))
                return e->copy();
        return nullptr;
    }

    StoreLog m_log;
};

} // namespace

// Each file is read twice, parsed and then from the store's index: its occurrences are the same, and what
// was dropped from it is logged once, when the file is parsed.
TEST_F(VdirExpansionTest, OccurrencesAndWarningsOfWhatOtherProgramsWrite) {
    struct Case {
        const char* name;
        QByteArray vevents;
        const char* occurrences;
        const char* warnings;
    };
    const Case cases[] = {
        {"periods",
         event("periods", "DTSTART:20240910T120000Z\r\nDURATION:PT1H\r\n"
                          "RDATE;VALUE=PERIOD:20240913T120000Z/PT2H,20240914T120000Z/20240914T150000Z\r\n"),
         "2024-09-10 14:00 +60 , 2024-09-13 14:00 +120 , 2024-09-14 14:00 +180 ", ""},
        // A nominal day counts in the period's own zone: New York leaves summer time that night.
        {"period-in-its-zone",
         event("period-in-its-zone", "DTSTART;TZID=Europe/Berlin:20241101T090000\r\nDURATION:PT1H\r\n"
                                     "RDATE;VALUE=PERIOD;TZID=America/New_York:20241102T090000/P1D\r\n"),
         "2024-11-01 09:00 +60 , 2024-11-02 14:00 +1500 ", ""},
        // The union: January 1 and 15 come from two rules each, January 8 is excluded.
        {"rules", SEVERAL_RULES,
         "2024-01-01 11:00 +60 R, 2024-01-15 11:00 +60 R, 2024-01-29 11:00 +60 R, 2024-02-01 11:00 +60 R, "
         "2024-03-01 11:00 +60 R",
         ""},
        {"all-day-by-time",
         event("all-day-by-time", "DTSTART;VALUE=DATE:20200912\r\nRRULE:FREQ=DAILY;COUNT=4\r\n") +
             event("all-day-by-time",
                   "RECURRENCE-ID:20200914T000000Z\r\nDTSTART;VALUE=DATE:20200917\r\nSUMMARY:Moved\r\n") +
             event("all-day-by-time",
                   "RECURRENCE-ID;TZID=America/New_York:20200915T000000\r\nDTSTART;VALUE=DATE:20200915\r\n"
                   "SUMMARY:Renamed\r\n"),
         "2020-09-12 00:00 +1440 , 2020-09-13 00:00 +1440 , 2020-09-15 00:00 +1440 Renamed, "
         "2020-09-17 00:00 +1440 Moved",
         ""},
        {"invalid-count",
         event("invalid-count",
               "DTSTART:20240226T090000Z\r\nRRULE:FREQ=WEEKLY;UNTIL=20240318T000000Z;COUNT=-1\r\n"),
         "2024-02-26 10:00 +0 , 2024-03-04 10:00 +0 , 2024-03-11 10:00 +0 ",
         "an RRULE part that is not valid ignored: COUNT=-1"},
        {"count-and-until",
         event("count-and-until",
               "DTSTART:20240226T090000Z\r\nRRULE:FREQ=WEEKLY;COUNT=10;UNTIL=20240311T090000Z\r\n"),
         "2024-02-26 10:00 +0 , 2024-03-04 10:00 +0 , 2024-03-11 10:00 +0 ",
         "an RRULE with both COUNT and UNTIL: its COUNT ignored"},
        // A folded rule with a bad part beside a good rule; the rules run in UTC, so April shows 11:00.
        {"folded-bad-part",
         event("folded-bad-part", "DTSTART:20240301T090000Z\r\nRRULE:FREQ=DAILY;BYDAY=XX;\r\n "
                                  "COUNT=3\r\nRRULE:FREQ=MONTHLY;COUNT=2\r\n"),
         "2024-03-01 10:00 +0 , 2024-03-02 10:00 +0 , 2024-03-03 10:00 +0 , 2024-04-01 11:00 +0 ",
         "an RRULE part that is not valid ignored: BYDAY=XX"},
    };
    for (const Case& c : cases)
        write("home", QString::fromLatin1(c.name) + ".ics", ics(c.vevents));
    letSettle();
    for (const char* round : {"parsed", "from the index"}) {
        VdirCalendarStore store(m_root.path());
        for (const Case& c : cases)
            EXPECT_EQ(occurrences(store, c.name), c.occurrences) << round;
    }
    for (const Case& c : cases) {
        const QString file = path("home", QString::fromLatin1(c.name) + ".ics");
        EXPECT_EQ(m_log.lines.filter(file),
                  *c.warnings ? QStringList{"load: " + file + ": " + c.warnings} : QStringList())
            << c.name;
    }
}

// An edit of all occurrences that leaves the rule alone keeps every RRULE; a rule set in the editor
// replaces them all, since the editor shows the series as one whose rule it cannot hold. Ending a series
// ends each rule that still runs; splitting it leaves each rule the rest of its own COUNT. An override
// named by a time is the one an edit of its occurrence changes.
TEST_F(VdirExpansionTest, EditsKeepEndOrSplitEveryRule) {
    write(
        "home", "days.ics",
        ics(event("days", "DTSTART;VALUE=DATE:20200912\r\nRRULE:FREQ=DAILY;COUNT=2\r\n") +
            event("days", "RECURRENCE-ID:20200913T000000Z\r\nDTSTART;VALUE=DATE:20200917\r\nSUMMARY:M\r\n")));
    write("home", "rules.ics", ics(SEVERAL_RULES));
    write("home", "split.ics",
          ics(event("split", "DTSTART:20240101T100000Z\r\nDURATION:PT1H\r\nSUMMARY:A\r\n"
                             "RRULE:FREQ=WEEKLY;COUNT=4\r\nRRULE:FREQ=DAILY;INTERVAL=14;COUNT=3\r\n")));
    VdirCalendarStore store(m_root.path());
    auto edited = find(store, "R");
    ASSERT_TRUE(edited && !edited->recurrenceRule);
    edited->title = "S";
    ASSERT_EQ(store.saveEvent(*edited, CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(read("home", "rules.ics").count("\r\nRRULE:"), 3);

    // The weekly rule had run out already and keeps its COUNT: without it, it would go on to January 22.
    ASSERT_TRUE(find(store, "S", 29));
    ASSERT_EQ(store.removeEvent(*find(store, "S", 29), CalSpan::FutureEvents), std::nullopt);
    EXPECT_TRUE(read("home", "rules.ics").contains("RRULE:FREQ=WEEKLY;COUNT=3\r\n"));
    EXPECT_EQ(read("home", "rules.ics").count("UNTIL=20240129T095959Z"), 2);

    auto later = find(store, "A", 15);
    later->title = "B";
    ASSERT_EQ(store.saveEvent(*later, CalSpan::FutureEvents), std::nullopt);
    EXPECT_EQ(occurrences(store, "rules"), "2024-01-01 11:00 +60 S, 2024-01-15 11:00 +60 S");
    EXPECT_EQ(occurrences(store, "split"), "2024-01-01 11:00 +60 A, 2024-01-08 11:00 +60 A");
    EXPECT_TRUE(occurrences(store).endsWith(
        "2024-01-15 11:00 +60 B, 2024-01-15 11:00 +60 S, 2024-01-22 11:00 +60 B, 2024-01-29 11:00 +60 B"));

    edited = find(store, "S");
    edited->recurrenceRule = RecurrenceRuleText::parse(QStringLiteral("FREQ=WEEKLY;COUNT=2"));
    ASSERT_EQ(store.saveEvent(*edited, CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(read("home", "rules.ics").count("\r\nRRULE:"), 1);
    EXPECT_EQ(occurrences(store, "rules"), "2024-01-01 11:00 +60 S");

    auto moved = find(store, "M");
    moved->title = "N";
    ASSERT_EQ(store.saveEvent(*moved, CalSpan::ThisEvent), std::nullopt);
    EXPECT_EQ(read("home", "days.ics").count("BEGIN:VEVENT"), 2);
    EXPECT_EQ(occurrences(store, "days"), "2020-09-12 00:00 +1440 , 2020-09-17 00:00 +1440 N");
}
