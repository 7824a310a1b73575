// Files of other programs imported into a calendar: one file per series, nothing of theirs lost.
#include "CorpusFiles.h"
#include "VdirTestSupport.h"

namespace {

class VdirImportTest : public VdirTest {
protected:
    QStringList eventFiles(const QString& calendar) const {
        return QDir(folder(calendar)).entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
    }
};

TEST_F(VdirImportTest, AFileOfOneSeriesIsStoredAsItIsAndSeveralAreSplitBySeries) {
    makeCalendar("home", "Home");
    VdirCalendarStore store(m_root.path());
    int changes = 0;
    QObject::connect(&store, &CalendarStore::eventsChanged, [&] { ++changes; });

    const QByteArray single = corpusText(QStringLiteral("khal/event_dt_simple_inkl_vtimezone.ics"));
    const QByteArray moved = corpusText(QStringLiteral("recurring-ical-events/recurring_events_moved.ics"));
    // Two series here: one with its moved occurrences, one alone.
    VdirCalendarStore::ImportResult result = store.importCalendarText(QStringLiteral("home"), moved);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.importedUids.size(), 2);
    EXPECT_EQ(changes, 1) << "one announcement for the whole import";
    const QStringList files = eventFiles("home");
    ASSERT_EQ(files.size(), 2);
    for (const QString& file : files) {
        const QByteArray written = read("home", file);
        EXPECT_EQ(written.count("UID:"), file.startsWith(u"5d4c") ? 2 : 3) << file.toStdString();
        EXPECT_TRUE(written.contains("BEGIN:VTIMEZONE")) << "the series keeps the file's time zone";
    }
    // Every line of the original is in one of the new files.
    const QByteArray both = read("home", files[0]) + read("home", files[1]);
    for (const QByteArray& line : moved.split('\n')) {
        const QByteArray content = line.trimmed();
        if (!content.isEmpty() && !content.startsWith("BEGIN:VCALENDAR") &&
            !content.startsWith("END:VCALENDAR")) {
            EXPECT_TRUE(both.contains(content)) << content.constData();
        }
    }

    result = store.importCalendarText(QStringLiteral("home"), single);
    ASSERT_FALSE(result.error);
    ASSERT_EQ(result.importedUids.size(), 1);
    const QStringList after = eventFiles("home");
    ASSERT_EQ(after.size(), 3);
    QStringList added = after;
    for (const QString& file : files)
        added.removeAll(file);
    EXPECT_EQ(read("home", added.front()), single) << "byte for byte";
    EXPECT_EQ(
        store.events(at(2000, 1, 1).toQDateTime(), at(2030, 1, 1).toQDateTime(), store.calendars()).isEmpty(),
        false);
}

TEST_F(VdirImportTest, MalformedFilesKnownSeriesAndReadOnlyCalendarsWriteNothing) {
    makeCalendar("home", "Home");
    makeCalendar("feed", "Feed");
    write("feed", "readonly", "");
    VdirCalendarStore store(m_root.path());
    const QByteArray moved = corpusText(QStringLiteral("recurring-ical-events/recurring_events_moved.ics"));

    VdirCalendarStore::ImportResult result =
        store.importCalendarText(QStringLiteral("home"), "BEGIN:VCALENDAR\r\nthis is not one\r\n");
    ASSERT_TRUE(result.error);
    EXPECT_TRUE(eventFiles("home").isEmpty());
    result = store.importCalendarText(QStringLiteral("feed"), moved);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, StoreError::ReadOnly);
    EXPECT_TRUE(eventFiles("feed").isEmpty());

    ASSERT_FALSE(store.importCalendarText(QStringLiteral("home"), moved).error);
    result = store.importCalendarText(QStringLiteral("home"), moved);
    EXPECT_FALSE(result.error);
    EXPECT_TRUE(result.importedUids.isEmpty());
    EXPECT_EQ(result.skipped.size(), 2) << "both series are there already";
    EXPECT_EQ(eventFiles("home").size(), 2);
}

} // namespace
