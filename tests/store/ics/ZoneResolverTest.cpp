#include "CorpusFiles.h"
#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include "store/ics/ZoneResolver.h"

#include <gtest/gtest.h>

namespace {

int offsetAt(const WallClockZone& zone, const QDateTime& instant) {
    return int(zone.toWall(instant).localSeconds() - instant.toSecsSinceEpoch());
}

} // namespace

TEST(ZoneResolverTest, ReadsOlsonVendorAndWindowsNames) {
    DateEnvironmentGuard guard(QStringLiteral("Asia/Kolkata"));
    const QDateTime july = utc(2024, 7, 1, 12);
    struct Case {
        const char* tzid;
        int offset; // at `july`
        bool known;
    };
    for (const Case& c : {
             Case{"Europe/Berlin", 7200, true},
             Case{"/freeassociation.sourceforge.net/Tzfile/Europe/Berlin", 7200, true},
             Case{"/mozilla.org/20050126_1/America/New_York", -14400, true},
             Case{"/softwarestudio.org/Olson_20011030_5/America/Argentina/Buenos_Aires", -10800, true},
             Case{"W. Europe Standard Time", 7200, true},
             Case{"Eastern Standard Time", -14400, true},
             Case{"New Zealand Standard Time", 43200, true},
             Case{"GMT Standard Time", 3600, true},
             Case{"foo", 19800, false},
             Case{"", 19800, false},
         }) {
        SCOPED_TRACE(c.tzid);
        QString warning;
        const WallClockZone zone = ZoneResolver::resolve(QString::fromLatin1(c.tzid), QByteArray(), warning);
        EXPECT_EQ(offsetAt(zone, july), c.offset);
        EXPECT_EQ(warning.isEmpty(), c.known);
        EXPECT_EQ(zone.isDefault(), !c.known);
    }
}

TEST(ZoneResolverTest, SkippedClockTimesMoveForwardAndRepeatedOnesMeanTheFirst) {
    const WallClockZone vienna = *ZoneResolver::named(QStringLiteral("Europe/Vienna"));
    struct Case {
        WallTime wall;
        QDateTime instant;
    };
    for (const Case& c : {Case{{2017, 3, 26, 2, 30, 0}, utc(2017, 3, 26, 1, 30)},
                          Case{{2017, 10, 29, 2, 30, 0}, utc(2017, 10, 29, 0, 30)},
                          Case{{2017, 10, 29, 3, 30, 0}, utc(2017, 10, 29, 2, 30)}}) {
        SCOPED_TRACE(c.instant.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(vienna.toInstant(c.wall), c.instant);
    }
    EXPECT_EQ(vienna.toWall(utc(2017, 10, 29, 1, 30)), (WallTime{2017, 10, 29, 2, 30, 0}));
}

// A TZID that names no known zone is read with the VTIMEZONE the file gives for it.
TEST(ZoneResolverTest, CustomVtimezoneDefinesTheZone) {
    const QByteArray file = corpusText(QStringLiteral("ccs-calendarserver/data/2445AllExamples.ics"));
    const qsizetype begin = file.indexOf("BEGIN:VTIMEZONE");
    const qsizetype end = file.indexOf("END:VTIMEZONE") + int(strlen("END:VTIMEZONE"));
    const QByteArray definition = file.mid(begin, end - begin);
    QString warning;
    const WallClockZone zone = ZoneResolver::resolve(QStringLiteral("US-Eastern"), definition, warning);
    EXPECT_TRUE(warning.isEmpty());
    EXPECT_FALSE(zone.isDefault());
    EXPECT_EQ(offsetAt(zone, utc(1997, 9, 2, 13)), -4 * 3600);
    EXPECT_EQ(offsetAt(zone, utc(1997, 12, 1, 14)), -5 * 3600);
    EXPECT_EQ(zone.toInstant(WallTime{1997, 9, 2, 9, 0, 0}), utc(1997, 9, 2, 13));
    EXPECT_EQ(ZoneResolver::resolve(QStringLiteral("US-Eastern"), definition, warning), zone); // kept once
}
