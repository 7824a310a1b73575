// Files of other programs imported into a calendar: one file per series, nothing of theirs lost.
#include "CorpusFiles.h"
#include "VdirTestSupport.h"

#include <QRegularExpression>

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

// Uids with escapes or unsafe as file names: each series whole in a file of a safe name, without the
// invitation's METHOD. One the split cannot take out alone (libical reads "\t" as a tab) leaves no file.
TEST_F(VdirImportTest, EveryUidArrivesUnderASafeNameAndNoMethodIsStored) {
    makeCalendar("home", "Home");
    makeCalendar("work", "Work");
    VdirCalendarStore store(m_root.path());
    const QList<std::pair<QByteArray, QString>> uids{{"imp\\,comma\\;semi", "imp,comma;semi"},
                                                     {"back\\\\slash", "back\\slash"},
                                                     {"line\\nbreak", "line\nbreak"},
                                                     {"../up", "../up"},
                                                     {".hidden", ".hidden"},
                                                     {QByteArray(250, 'a'), QString(250, u'a')},
                                                     {"p@example.org", "p@example.org"}};
    auto invitation = [](const QList<QByteArray>& texts) {
        QByteArray events;
        for (const QByteArray& uid : texts)
            events += "BEGIN:VEVENT\r\nUID:" + uid +
                      "\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261209T150000Z\r\nEND:VEVENT\r\n";
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mail//EN\r\nMETHOD:REQUEST\r\n" + events +
               "END:VCALENDAR\r\n";
    };
    QList<QByteArray> texts{"odd\\tone"};
    for (const auto& uid : uids)
        texts.append(uid.first);
    QStringList imported;
    for (int attempt = 0; attempt < 2; ++attempt) // the second as a redo does
        imported += store.importCalendarText(QStringLiteral("home"), invitation(texts)).importedUids;
    for (const auto& [text, uid] : uids) {
        EXPECT_EQ(imported.count(uid), 1) << text.constData();
        EXPECT_EQ(
            store.events(at(2026, 12, 1).toQDateTime(), at(2027, 1, 1).toQDateTime(), uid, store.calendars())
                .size(),
            1);
    }
    const QStringList files = eventFiles("home");
    EXPECT_EQ(files.size(), imported.size()) << "no file without its event";
    EXPECT_TRUE(files.contains(QStringLiteral("p@example.org.ics")));
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_+@-][A-Za-z0-9_.+@-]{0,199}\\.ics$"));
    for (const QString& file : files) {
        const QByteArray written = read("home", file);
        EXPECT_TRUE(safe.match(file).hasMatch() && written.count("BEGIN:VEVENT") == 1 &&
                    !written.contains("METHOD") && written.contains("PRODID:-//Mail//EN"))
            << file.toStdString();
    }
    // A file of one event is kept as it is but for the METHOD.
    ASSERT_EQ(store.importCalendarText(QStringLiteral("work"), invitation({"one"})).importedUids.size(), 1);
    EXPECT_EQ(read("work", QStringLiteral("one.ics")),
              QByteArray(invitation({"one"})).replace("METHOD:REQUEST\r\n", ""));
}

} // namespace
