#include "CorpusFiles.h"
#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Events = QList<std::shared_ptr<CalEvent>>;

Events occurrencesIn(const QString& file, const QDateTime& from, const QDateTime& to,
                     const QString& uid = QString()) {
    Events events;
    for (const IcsSeries& series : readCorpus(file).series)
        if (uid.isEmpty() || series.uid() == uid)
            events += series.occurrences(from, to);
    return events;
}

QStringList titles(const Events& events) {
    QStringList result;
    for (const auto& event : events)
        result.append(event->title);
    return result;
}

} // namespace

// Nothing in the corpus crashes or hangs, and a file is either read or malformed with a reason.
TEST(IcsCorpusTest, EveryFileReadsOrIsMalformedAndExpandsFrom2000To2030) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"));
    int readFiles = 0;
    for (const QString& file : corpusFiles()) {
        SCOPED_TRACE(file.toStdString());
        const IcsReadResult result = readCorpus(file);
        if (result.malformed) {
            EXPECT_FALSE(result.warnings.isEmpty());
            EXPECT_TRUE(result.series.isEmpty());
            continue;
        }
        ++readFiles;
        ASSERT_FALSE(result.series.isEmpty());
        for (const IcsSeries& series : result.series) {
            const Events events = series.occurrences(utc(2000, 1, 1), utc(2030, 1, 1));
            for (qsizetype i = 0; i < events.size(); ++i) {
                EXPECT_LE(events[i]->startDate, events[i]->endDate);
                if (i > 0) {
                    EXPECT_LE(events[i - 1]->startDate, events[i]->startDate);
                }
            }
            (void)series.firstOccurrence();
            (void)series.masterRecord();
        }
    }
    EXPECT_GT(readFiles, 300);
}

TEST(IcsCorpusTest, FilesWithoutAUsableEventAreMalformed) {
    for (const char* file :
         {"radicale/broken-vevent.ics", "libical/crash.ics", "libical/issue252.ics",
          "icalendar-py/calendars/small_bad_calendar.ics", "ical4j/invalid/13-MoonPhase.ics"}) {
        SCOPED_TRACE(file);
        const IcsReadResult result = readCorpus(QString::fromLatin1(file));
        EXPECT_TRUE(result.malformed);
        EXPECT_FALSE(result.warnings.isEmpty());
    }
}

struct CountCase {
    const char* name;
    const char* file;
    const char* uid; // empty: every series of the file
    QDateTime from;
    QDateTime to;
    int count;
};

class IcsCorpusCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(IcsCorpusCountTest, GivesTheExpectedNumberOfOccurrences) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"));
    const CountCase& c = GetParam();
    EXPECT_EQ(occurrencesIn(QString::fromLatin1(c.file), c.from, c.to, QString::fromLatin1(c.uid)).size(),
              c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, IcsCorpusCountTest,
    ::testing::Values(
        // The moved occurrence replaces the one it came from.
        CountCase{"MovedOverride", "khal/event_rrule_recuid.ics", "", utc(2014, 6, 1), utc(2014, 9, 1), 6},
        // An EXDATE hides the occurrence and its override; of two masters the later one counts.
        CountCase{"ExdateHidesOverride", "recurring-ical-events/issue_163_deleted_modification.ics", "",
                  utc(2024, 8, 19), utc(2024, 8, 20), 0},
        CountCase{"ExdateHidesOverrideAround", "recurring-ical-events/issue_163_deleted_modification.ics", "",
                  utc(2024, 7, 1), utc(2024, 10, 1), 3},
        CountCase{"LaterMasterWins", "recurring-ical-events/issue_148_ignored_exdate.ics", "",
                  utc(2024, 1, 1), utc(2025, 1, 1), 2},
        CountCase{"RfcBiWeeklyUntil", "ccs-calendarserver/data/2445AllExamples.ics", "RExample10",
                  utc(1997, 1, 1), utc(1999, 1, 1), 25},
        CountCase{"RfcDailyCount", "ccs-calendarserver/data/2445AllExamples.ics", "RExample01",
                  utc(1997, 1, 1), utc(1999, 1, 1), 10},
        CountCase{"CountSeriesQueriedLater", "ccs-calendarserver/data/2445AllExamples.ics", "RExample01",
                  utc(2030, 1, 1), utc(2031, 1, 1), 0},
        // UNTIL of another type than DTSTART still ends the series.
        CountCase{"DateSeriesWithUtcUntil", "khal/event_dt_rrule_invalid_until.ics", "", utc(2007, 1, 1),
                  utc(2009, 1, 1), 3},
        CountCase{"TimedSeriesWithDateUntil", "khal/event_dt_rrule_invalid_until2.ics", "", utc(2014, 1, 1),
                  utc(2015, 1, 1), 35},
        CountCase{"UntilBeforeStart", "khal/event_dt_rrule_until_before_start.ics", "", utc(1960, 1, 1),
                  utc(2000, 1, 1), 0},
        CountCase{"DateUntilBeforeStart", "recurring-ical-events/issue_117_until_before_dtstart.ics", "",
                  utc(2023, 1, 1), utc(2024, 1, 1), 0},
        // A DTSTART the rule does not produce is still the first occurrence.
        CountCase{"StartNotMatchingTheRule", "khal/event_rrule_no_occurence.ics", "", utc(2020, 1, 1),
                  utc(2022, 1, 1), 1},
        // An EXDATE in UTC removes the occurrence written with a TZID.
        CountCase{"UtcExdate", "khal/event_dtr_exdatez.ics", "", utc(2014, 6, 1), utc(2014, 9, 1), 3},
        CountCase{"ExdateList", "recurring-ical-events/issue_20_exdate_ignored.ics", "", utc(2019, 1, 1),
                  utc(2021, 1, 1), 7},
        CountCase{"OverridesWithoutMaster", "khal/event_dt_multi_recuid_no_master.ics", "", utc(2014, 6, 1),
                  utc(2014, 9, 1), 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IcsCorpusTest, MovedOccurrenceShowsAtItsNewTimeOnly) {
    const Events events =
        occurrencesIn(QStringLiteral("khal/event_rrule_recuid.ics"), utc(2014, 7, 7), utc(2014, 7, 8));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0]->startDate, utc(2014, 7, 7, 7));
    EXPECT_EQ(events[0]->occurrence, utc(2014, 7, 7, 5));
    EXPECT_TRUE(events[0]->isDetached);
}

TEST(IcsCorpusTest, ThisAndFutureChangesTheLaterOccurrences) {
    const Events events = occurrencesIn(QStringLiteral("recurring-ical-events/issue_75_range_parameter.ics"),
                                        utc(2024, 9, 9), utc(2024, 9, 25));
    QStringList found;
    for (const auto& event : events)
        found.append(event->startDate.toString(Qt::ISODate) + u' ' + event->title);
    EXPECT_EQ(found, QStringList({
                         "2024-09-09T12:00:00Z ORIGINAL EVENT",
                         "2024-09-11T12:00:00Z ORIGINAL EVENT",
                         "2024-09-13T09:00:00Z MODIFIED EVENT", // the override itself, 7 hours long
                         "2024-09-14T06:00:00Z MODIFIED EVENT", // the RDATE, shifted like the rest
                         "2024-09-15T17:00:00Z MODIFIED EVENT", // an override of its own
                         "2024-09-17T09:00:00Z MODIFIED EVENT",
                         "2024-09-19T09:00:00Z MODIFIED EVENT",
                         "2024-09-22T14:22:00Z EDITED EVENT", // the second range
                         "2024-09-24T14:22:00Z EDITED EVENT",
                     }));
    EXPECT_EQ(events[5]->endDate, utc(2024, 9, 17, 16));
}

TEST(IcsCorpusTest, ZonesOfEveryKind) {
    DateEnvironmentGuard guard(QStringLiteral("Europe/Berlin"));
    struct Case {
        const char* file;
        QDateTime start;
        QDateTime end;
    };
    for (const Case& c : {
             Case{"khal/tz_windows_format.ics", utc(2019, 11, 20, 0), utc(2019, 11, 20, 1, 30)}, // NZDT
             Case{"khal/event_dt_local_missing_tz.ics", utc(2014, 4, 9, 7, 30), utc(2014, 4, 9, 8, 30)},
             Case{"khal/event_dt_floating.ics", utc(2014, 4, 9, 7, 30), utc(2014, 4, 9, 8, 30)},
             Case{"ccs-calendarserver/data/TruncatedApr01.ics", utc(2007, 4, 1, 16), utc(2007, 4, 1, 17)},
             Case{"ccs-calendarserver/data/TruncatedDec10.ics", utc(2007, 12, 10, 17), utc(2007, 12, 10, 18)},
             Case{"khal/event_d.ics", utc(2014, 4, 8, 22), utc(2014, 4, 9, 22)}, // one all-day day
         }) {
        SCOPED_TRACE(c.file);
        const IcsReadResult result = readCorpus(QString::fromLatin1(c.file));
        ASSERT_EQ(result.series.size(), 1);
        const auto record = result.series[0].masterRecord();
        ASSERT_TRUE(record);
        EXPECT_EQ(record->startDate, c.start);
        EXPECT_EQ(record->endDate, c.end);
    }
}

TEST(IcsCorpusTest, ZeroLengthEventOverlapsOnlyAtItsStart) {
    const QString file = QStringLiteral("recurring-ical-events/zero_size_event.ics");
    EXPECT_EQ(occurrencesIn(file, utc(2019, 3, 4, 7), utc(2019, 3, 4, 7, 0, 1)).size(), 1);
    EXPECT_EQ(occurrencesIn(file, utc(2019, 3, 4, 7, 0, 1), utc(2019, 3, 4, 8)).size(), 0);
}

TEST(IcsCorpusTest, LatinOneTextIsDecoded) {
    const IcsReadResult result = readCorpus(QStringLiteral("thunderbird/importLatin1.ics"));
    ASSERT_FALSE(result.malformed);
    QStringList all;
    for (const IcsSeries& series : result.series)
        all += titles(series.occurrences(utc(2018, 1, 1), utc(2020, 1, 1)));
    EXPECT_TRUE(all.contains(QStringLiteral("Event Två"))) << all.join(u'|').toStdString();
}
