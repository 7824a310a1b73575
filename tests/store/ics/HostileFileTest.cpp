#include "CorpusFiles.h"
#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include "base/Logger.h"
#include "store/ics/ZoneChangeLimit.h"

#include <gtest/gtest.h>

namespace {

QByteArray calendar(const QByteArray& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

QByteArray event(const QByteArray& start, const QByteArray& extra = {}) {
    return "BEGIN:VEVENT\r\nUID:hostile\r\nDTSTAMP:20260101T000000Z\r\nDTSTART" + start +
           "\r\nDURATION:PT1H\r\nSUMMARY:hostile\r\n" + extra + "END:VEVENT\r\n";
}

// A zone switching to +02:00 by `rules` (content lines) and back to +01:00 by the same rules in October
// or, for dates, an hour later.
QByteArray zone(const QByteArray& tzid, const QByteArray& rules) {
    return "BEGIN:VTIMEZONE\r\nTZID:" + tzid + "\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\n" + rules +
           "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
           "DTSTART:19701025T030000\r\n" +
           QByteArray(rules).replace("BYMONTH=3", "BYMONTH=10").replace("T020000", "T030000") +
           "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
}

QByteArray rdates(int count) {
    QByteArray lines;
    for (int day = 0; day < count; ++day)
        lines += QDate(1971, 1, 1).addDays(day).toString(u"'RDATE:'yyyyMMdd'T020000\r\n'").toLatin1();
    return lines;
}

} // namespace

// The value of a 10 MB line comes through whole, as one line, folded at 75 octets (CRLF or LF, space or
// tab), or in a file with bare LF line ends.
TEST(HostileFileTest, ReadsTenMegabyteLinesWhole) {
    QByteArray value(10'000'000, 'x');
    for (qsizetype at = 0; at < value.size(); at += 997)
        value[at] = char('a' + at % 26);
    QByteArray folded;
    for (qsizetype at = 0; at < value.size(); at += 74)
        folded += (at == 0 ? "" : (at / 74) % 3 == 0 ? "\n\t" : "\r\n ") + value.mid(at, 74);
    for (const QByteArray& text :
         {calendar(event(":20261210T090000Z", "DESCRIPTION:" + value + "\r\n")),
          calendar(event(":20261210T090000Z", "DESCRIPTION:" + folded + "\r\n")),
          calendar(event(":20261210T090000Z", "DESCRIPTION:" + value + "\r\n")).replace("\r\n", "\n")}) {
        const IcsReadResult read = IcsReader::read(text);
        ASSERT_EQ(read.series.size(), 1);
        const auto master = read.series[0].masterRecord();
        ASSERT_TRUE(master);
        EXPECT_EQ(master->notes.size(), value.size());
        EXPECT_TRUE(master->notes == QLatin1String(value)); // not EXPECT_EQ: no 10 MB failure message
        EXPECT_EQ(master->title, u"hostile");
        EXPECT_EQ(read.warnings, QStringList());
    }
}

// libical would expand these zones' rules for minutes: they are dropped with one warning, and the
// event is read in the default zone.
TEST(HostileFileTest, DropsZonesThatChangeTooOften) {
    DateEnvironmentGuard guard(QStringLiteral("Asia/Tokyo"));
    for (const QByteArray& rules :
         {QByteArray("RRULE:FREQ=SECONDLY\r\n"), QByteArray("RRULE:FREQ=WEEKLY;BYDAY=SU\r\n"),
          QByteArray("RRULE:FREQ=YEARLY;BYDAY=SU\r\n"), QByteArray("RRULE:FREQ=MONTHLY;BYMONTHDAY=1,15\r\n"),
          QByteArray("RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n") + rdates(ZoneChangeLimit::MAX_CHANGES)}) {
        SCOPED_TRACE(rules.left(60).toStdString());
        const IcsReadResult read =
            IcsReader::read(calendar(zone("Hostile", rules) + event(";TZID=Hostile:20261210T090000")));
        ASSERT_EQ(read.series.size(), 1);
        EXPECT_EQ(read.series[0].masterRecord()->startDate, utc(2026, 12, 10));
        ASSERT_EQ(read.warnings.size(), 1) << read.warnings.join(u'|').toStdString();
        EXPECT_TRUE(read.warnings[0].contains(u"\"Hostile\"")) << read.warnings[0].toStdString();
    }
}

// Zones within the limits keep their rules; a TZID ICU knows never needs its VTIMEZONE at all.
TEST(HostileFileTest, KeepsZonesWithinTheLimits) {
    DateEnvironmentGuard guard(QStringLiteral("Asia/Tokyo"));
    struct Case {
        QByteArray tzid;
        QByteArray rules;
        QDateTime july;
    };
    for (const Case& c : {Case{"Custom", "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n", utc(2026, 7, 1, 7)},
                          Case{"Listed", rdates(400), utc(2026, 7, 1, 8)},
                          Case{"Europe/Lisbon", "RRULE:FREQ=SECONDLY\r\n", utc(2026, 7, 1, 8)},
                          Case{"Counted", "RRULE:FREQ=MONTHLY;COUNT=12\r\n", utc(2026, 7, 1, 8)}}) {
        SCOPED_TRACE(c.tzid.toStdString());
        const IcsReadResult read =
            IcsReader::read(calendar(zone(c.tzid, c.rules) + event(";TZID=" + c.tzid + ":20260701T090000")));
        ASSERT_EQ(read.series.size(), 1);
        EXPECT_EQ(read.series[0].masterRecord()->startDate, c.july);
        EXPECT_EQ(read.warnings, QStringList());
    }
}

// A rule that would need billions of instances to reach the window stops, and says so once, not at
// every window asked for.
TEST(HostileFileTest, StopsARunawayRuleAndSaysSoOnce) {
    const IcsReadResult read =
        IcsReader::read(calendar(event(":19700101T000000Z", "RRULE:FREQ=SECONDLY\r\n")));
    ASSERT_EQ(read.series.size(), 1);
    QStringList log;
    Logger::addLoggerWithName(LCALSTORE).setLevel(Logger::LOG_WARNING_LEVEL);
    Logger::setSink([&](const QString& line) { log.append(line); });
    const qsizetype december = read.series[0].occurrences(utc(2026, 12, 1), utc(2027, 1, 1)).size();
    const qsizetype july = read.series[0].occurrences(utc(2027, 7, 1), utc(2027, 8, 1)).size();
    Logger::setSink(nullptr);
    Logger::addLoggerWithName(LCALSTORE).setLevel(Logger::LOG_ERROR_LEVEL);
    EXPECT_EQ(december + july, 0);
    ASSERT_EQ(log.size(), 1) << log.join(u'\n').toStdString();
    EXPECT_TRUE(log[0].contains(u"stopped after"));
}
