#include "store/ics/IcsDocument.h"

#include "TestSupport.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray roundTrip(const QByteArray& bytes) {
    return IcsDocument::parse(bytes).serialize();
}

TEST(IcsDocumentTest, WritesBackEveryCorpusFileByteForByte) {
    int files = 0;
    QDirIterator it(QStringLiteral(VERDALUNE_ICS_CORPUS), {QStringLiteral("*.ics")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(roundTrip(bytes), bytes) << file.fileName().toStdString();
        ++files;
    }
    EXPECT_GE(files, 398); // the whole corpus was found
}

TEST(IcsDocumentTest, WritesBackOddInputByteForByte) {
    const QByteArray inputs[] = {
        "",
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\nSUMMARY:a\rUID:1\r\n\r\nEND:VEVENT\nEND:VCALENDAR",
        "\xEF\xBB\xBF"
        "BEGIN:VCALENDAR\r\nDESCRIPTION:long\r\n\tline\r\n  with space\r\nEND:VCALENDAR\r\n",
        "garbage before\nBEGIN:VCALENDAR\nX-\xFF\xFE:T\xE5\x00x\nEND:VCALENDAR\n\ntrailing garbage\n\x01",
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nEND:VTODO\r\nEND:VCALENDAR\r\nEND:VCALENDAR\r\n",
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nBEGIN:VALARM\r\n",
        " leading fold\r\nBEGIN:\r\nEND:\r\n\r\r\n\n",
    };
    for (const QByteArray& input : inputs)
        EXPECT_EQ(roundTrip(input), input) << input.toStdString();
}

const QByteArray SERIES =
    "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:a\\,1\nSUMMARY:Stand-\n\tup\nRRULE:FREQ=DAILY\n"
    "BEGIN:VALARM\nEND:VALARM\nEND:VEVENT\n"
    "BEGIN:VEVENT\nUID:a\\,1\nRECURRENCE-ID;TZID=Europe/Berlin:20260611T090000\nEND:VEVENT\n"
    "END:VCALENDAR";

// Edited and added lines are CRLF and folded; every other line keeps its LF, its tab fold and its place.
TEST(IcsDocumentTest, FindsEventsAndChangesOnlyTheLinesItIsAskedToChange) {
    IcsDocument document = IcsDocument::parse(SERIES);
    ASSERT_EQ(document.events(QStringLiteral("a,1")).size(), 2);
    EXPECT_TRUE(document.events(QStringLiteral("A,1")).isEmpty());
    EXPECT_FALSE(document.event(QStringLiteral("a,1"), QStringLiteral("20260612T090000")));
    IcsComponent& master = *document.event(QStringLiteral("a,1"));
    ASSERT_TRUE(master.property(u"summary"));
    EXPECT_EQ(master.property(u"summary")->value(), "Stand-up");
    IcsComponent override = *document.event(QStringLiteral("a,1"), QStringLiteral("20260611T090000"));
    master.setProperty(ContentLine(QStringLiteral("RRULE"), QStringLiteral("FREQ=DAILY"))); // same text
    master.setProperty(ContentLine(QStringLiteral("UID"), QStringLiteral("a\\,1")));
    master.addProperty(ContentLine(QStringLiteral("EXDATE"), QStringLiteral("20260612T090000")));
    master.addProperty(ContentLine(QStringLiteral("EXDATE"), QStringLiteral("20260613T090000")));
    EXPECT_EQ(master.removeProperties(u"EXDATE",
                                      [](const ContentLine& l) { return l.value().endsWith(u"3T090000"); }),
              1);
    master.setProperty(ContentLine(QStringLiteral("SUMMARY"), QStringLiteral("Daily")));
    override.setProperty(ContentLine(QStringLiteral("RECURRENCE-ID"), QStringLiteral("20260614T090000")));
    document.body().addChild(override);
    EXPECT_TRUE(document.remove(document.event(QStringLiteral("a,1"), QStringLiteral("20260611T090000"))));
    EXPECT_FALSE(document.remove(&override));
    EXPECT_EQ(document.serialize(),
              "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:a\\,1\nSUMMARY:Daily\r\nRRULE:FREQ=DAILY\nEXDATE:"
              "20260612T090000\r\n"
              "BEGIN:VALARM\nEND:VALARM\nEND:VEVENT\n"
              "BEGIN:VEVENT\nUID:a\\,1\nRECURRENCE-ID:20260614T090000\r\nEND:VEVENT\nEND:VCALENDAR");
}

// A file with bare components: what is added goes to the top level, after a last line without ending.
TEST(IcsDocumentTest, AddsToTheTopLevelOfAFileWithoutCalendar) {
    IcsDocument document = IcsDocument::parse("BEGIN:VEVENT\nUID:x\nEND:VEVENT");
    IcsComponent copy = *document.event(QStringLiteral("x"));
    document.body().addChild(copy).setProperty(
        ContentLine(QStringLiteral("RECURRENCE-ID"), QStringLiteral("1")));
    document.body().addChild(IcsComponent(QStringLiteral("VTIMEZONE")), document.event(QStringLiteral("x")));
    EXPECT_EQ(document.serialize(), "BEGIN:VTIMEZONE\r\nEND:VTIMEZONE\r\n"
                                    "BEGIN:VEVENT\nUID:x\nEND:VEVENT\r\n"
                                    "BEGIN:VEVENT\nUID:x\nRECURRENCE-ID:1\r\nEND:VEVENT");
}

} // namespace
