// Files as other programs write them, through the store on a temporary folder: RDATE periods, several
// RRULEs, all-day overrides named by a time, broken rules. The occurrences are worked out by hand.
#include "VdirTestSupport.h"

#include "store/ics/RecurrenceRuleText.h"

#include <QTimeZone>

namespace {

QByteArray event(const QByteArray& uid, const QByteArray& lines) {
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\n" + lines + "END:VEVENT\r\n";
}

const QByteArray ALL_DAY =
    event("days", "DTSTART;VALUE=DATE:20200912\r\nRRULE:FREQ=DAILY;COUNT=2\r\n") +
    event("days", "RECURRENCE-ID:20200913T000000Z\r\nDTSTART;VALUE=DATE:20200917\r\nSUMMARY:M\r\n");
const QByteArray SEVERAL_RULES = event("rules", "DTSTART:20240101T100000Z\r\nDURATION:PT1H\r\nSUMMARY:R\r\n"
                                                "RRULE:FREQ=WEEKLY;COUNT=3\r\nRRULE:FREQ=MONTHLY;COUNT=3\r\n"
                                                "RRULE:FREQ=DAILY;INTERVAL=14;UNTIL=20240130T000000Z\r\n"
                                                "EXDATE:20240108T100000Z\r\n");

class VdirExpansionTest : public VdirTest {
protected:
    void SetUp() override { makeCalendar("home"); }
    // West of UTC, where midnight UTC falls on the day before.
    DateEnvironmentGuard m_west{QStringLiteral("America/New_York")};
    EventList events(VdirCalendarStore& store, const QString& uid = QString()) const {
        EventList all =
            store.events(at(2020, 1, 1).toQDateTime(), at(2026, 1, 1).toQDateTime(), store.calendars());
        all.removeIf([&](const auto& e) { return !uid.isEmpty() && e->uid != uid; });
        std::sort(all.begin(), all.end(), [](auto& a, auto& b) {
            return std::pair(a->startDate, a->title) < std::pair(b->startDate, b->title);
        });
        return all;
    }
    // "2024-09-13 14:00 +120 title, ...": each occurrence's start in New York and its length in minutes.
    QString occurrences(VdirCalendarStore& store, const QString& uid = QString()) const {
        QStringList result;
        for (const auto& e : events(store, uid))
            result.append(
                e->startDate.toTimeZone(QTimeZone("America/New_York")).toString("yyyy-MM-dd HH:mm ") +
                QStringLiteral("+%1 %2").arg(e->startDate.secsTo(e->endDate) / 60).arg(e->title));
        return result.join(", ");
    }
    std::shared_ptr<CalEvent> find(VdirCalendarStore& store, const QString& title, int day = 0) const {
        for (const auto& e : events(store))
            if (e->title == title && (day == 0 || e->occurrence == at(2024, 1, day, 5).toQDateTime()))
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
         "DTSTART:20240910T120000Z\r\nDURATION:PT1H\r\n"
         "RDATE;VALUE=PERIOD:20240913T120000Z/PT2H,20240914T120000Z/20240914T150000Z\r\n",
         "2024-09-10 08:00 +60 , 2024-09-13 08:00 +120 , 2024-09-14 08:00 +180 ", ""},
        // A nominal day counts in the period's own zone, where summer time ends that night.
        {"zoned",
         "DTSTART;TZID=Europe/Berlin:20241101T090000\r\nRDATE;VALUE=PERIOD;TZID=America/"
         "New_York:20241102T090000/P1D\r\n",
         "2024-11-01 04:00 +0 , 2024-11-02 09:00 +1500 ", ""},
        // The union: January 1 and 15 come from two rules each, January 8 is excluded.
        {"rules", SEVERAL_RULES,
         "2024-01-01 05:00 +60 R, 2024-01-15 05:00 +60 R, 2024-01-29 05:00 +60 R, 2024-02-01 05:00 +60 R, "
         "2024-03-01 05:00 +60 R",
         ""},
        // Midnight UTC is the evening before here: the day written is the one meant.
        {"days", ALL_DAY, "2020-09-12 00:00 +1440 , 2020-09-17 00:00 +1440 M", ""},
        {"count", "DTSTART:20240226T090000Z\r\nRRULE:FREQ=WEEKLY;UNTIL=20240318T000000Z;COUNT=-1\r\n",
         "2024-02-26 04:00 +0 , 2024-03-04 04:00 +0 , 2024-03-11 05:00 +0 ",
         "an RRULE part that is not valid ignored: COUNT=-1"},
        // A folded rule with a bad part beside a good rule; the rules run in UTC, so April shows 05:00.
        {"folded",
         "DTSTART:20240301T090000Z\r\nRRULE:FREQ=DAILY;BYDAY=XX;\r\n "
         "COUNT=3\r\nRRULE:FREQ=MONTHLY;COUNT=2\r\n",
         "2024-03-01 04:00 +0 , 2024-03-02 04:00 +0 , 2024-03-03 04:00 +0 , 2024-04-01 05:00 +0 ",
         "an RRULE part that is not valid ignored: BYDAY=XX"},
    };
    for (const Case& c : cases)
        write("home", QString::fromLatin1(c.name) + ".ics",
              ics(c.vevents.startsWith("BEGIN") ? c.vevents : event(c.name, c.vevents)));
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

// Editing all occurrences keeps every RRULE, unless the editor sets a rule; ending or splitting a series
// takes each rule with its own COUNT, and periods with their lengths. An override named by a time is the
// one its occurrence's edit changes.
TEST_F(VdirExpansionTest, EditsKeepEndOrSplitEveryRule) {
    write("home", "days.ics", ics(ALL_DAY));
    write("home", "rules.ics", ics(SEVERAL_RULES));
    write("home", "split.ics",
          ics(event("split",
                    "DTSTART:20240101T100000Z\r\nDURATION:PT1H\r\nSUMMARY:A\r\n"
                    "RRULE:FREQ=WEEKLY;COUNT=4\r\nRRULE:FREQ=DAILY;INTERVAL=14;COUNT=3\r\n"
                    "RDATE;VALUE=PERIOD:20240103T100000Z/PT2H,20240117T100000Z/20240117T130000Z\r\n")));
    VdirCalendarStore store(m_root.path());
    auto edited = find(store, "R");
    ASSERT_TRUE(edited && !edited->recurrenceRule);
    edited->title = "S";
    ASSERT_EQ(store.saveEvent(*edited, CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(read("home", "rules.ics").count("\r\nRRULE:"), 3);

    // The weekly rule had run out already and keeps its COUNT: without it, it would go on to January 22.
    ASSERT_EQ(store.removeEvent(*find(store, "S", 29), CalSpan::FutureEvents), std::nullopt);
    EXPECT_TRUE(read("home", "rules.ics").contains("RRULE:FREQ=WEEKLY;COUNT=3\r\n"));
    EXPECT_EQ(read("home", "rules.ics").count("UNTIL=20240129T095959Z"), 2);

    auto later = find(store, "A", 15);
    later->title = "B";
    ASSERT_EQ(store.saveEvent(*later, CalSpan::FutureEvents), std::nullopt);
    EXPECT_TRUE(occurrences(store).endsWith(
        "2024-01-01 05:00 +60 A, 2024-01-01 05:00 +60 S, 2024-01-03 05:00 +120 A, 2024-01-08 05:00 +60 A, "
        "2024-01-15 05:00 +60 B, 2024-01-15 05:00 +60 S, 2024-01-17 05:00 +180 B, 2024-01-22 05:00 +60 B, "
        "2024-01-29 05:00 +60 B"));

    edited = find(store, "S");
    edited->recurrenceRule = RecurrenceRuleText::parse(QStringLiteral("FREQ=WEEKLY;COUNT=2"));
    ASSERT_EQ(store.saveEvent(*edited, CalSpan::AllEvents), std::nullopt);
    EXPECT_EQ(read("home", "rules.ics").count("\r\nRRULE:"), 1);
    EXPECT_EQ(occurrences(store, "rules"), "2024-01-01 05:00 +60 S");

    auto moved = find(store, "M");
    moved->title = "N";
    ASSERT_EQ(store.saveEvent(*moved, CalSpan::ThisEvent), std::nullopt);
    EXPECT_EQ(read("home", "days.ics").count("BEGIN:VEVENT"), 2);
    EXPECT_EQ(occurrences(store, "days"), "2020-09-12 00:00 +1440 , 2020-09-17 00:00 +1440 N");
}
