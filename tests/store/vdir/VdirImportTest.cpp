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

QByteArray invitation(const QList<QByteArray>& uidTexts) {
    QByteArray events;
    for (qsizetype i = 0; i < uidTexts.size(); ++i)
        events += "BEGIN:VEVENT\r\nUID:" + uidTexts[i] + "\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:2026121" +
                  QByteArray::number(i % 10) + "T150000Z\r\nDURATION:PT1H\r\nSUMMARY:Meeting " +
                  QByteArray::number(i) + "\r\nX-MAIL:kept\r\nEND:VEVENT\r\n";
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mail//EN\r\nMETHOD:REQUEST\r\n" + events +
           "END:VCALENDAR\r\n";
}

TEST_F(VdirImportTest, EscapedAndUnsafeUidsArriveWhole) {
    makeCalendar("home", "Home");
    VdirCalendarStore store(m_root.path());
    struct Uid {
        QByteArray text;
        QString value;
    };
    const QList<Uid> uids{{"imp\\,comma\\;semi", "imp,comma;semi"},
                          {"back\\\\slash", "back\\slash"},
                          {"line\\nbreak", "line\nbreak"},
                          {"../up/and", "../up/and"},
                          {".hidden", ".hidden"},
                          {QByteArray(250, 'a'), QString(250, u'a')},
                          {"plain-1@example.org", "plain-1@example.org"}};
    QList<QByteArray> texts;
    for (const Uid& uid : uids)
        texts.append(uid.text);
    const QByteArray text = invitation(texts);

    VdirCalendarStore::ImportResult result = store.importCalendarText(QStringLiteral("home"), text);
    ASSERT_FALSE(result.error);
    EXPECT_TRUE(result.skipped.isEmpty()) << result.skipped.join(u'\n').toStdString();
    const QStringList files = eventFiles("home");
    EXPECT_EQ(files.size(), uids.size());
    EXPECT_TRUE(files.contains(QStringLiteral("plain-1@example.org.ics"))) << "a safe uid names its file";
    static const QRegularExpression safeName(
        QStringLiteral("^[A-Za-z0-9_+@-][A-Za-z0-9_.+@-]{0,199}\\.ics$"));
    for (const QString& file : files) {
        EXPECT_TRUE(safeName.match(file).hasMatch()) << file.toStdString();
        const QByteArray written = read("home", file);
        EXPECT_EQ(written.count("BEGIN:VEVENT"), 1) << file.toStdString();
        EXPECT_FALSE(written.contains("METHOD")) << file.toStdString();
        EXPECT_TRUE(written.contains("PRODID:-//Mail//EN") && written.contains("X-MAIL:kept"));
    }
    for (const Uid& uid : uids) {
        EXPECT_TRUE(result.importedUids.contains(uid.value)) << uid.text.constData();
        EXPECT_EQ(store
                      .events(at(2026, 12, 1).toQDateTime(), at(2027, 1, 1).toQDateTime(), uid.value,
                              store.calendars())
                      .size(),
                  1)
            << uid.text.constData();
    }
    // Again, as a redo does: nothing twice, no file more.
    result = store.importCalendarText(QStringLiteral("home"), text);
    EXPECT_TRUE(result.importedUids.isEmpty());
    EXPECT_EQ(result.skipped.size(), uids.size());
    EXPECT_EQ(eventFiles("home"), files);
}

TEST_F(VdirImportTest, AnInvitationOfOneEventLosesOnlyItsMethod) {
    makeCalendar("home", "Home");
    VdirCalendarStore store(m_root.path());
    const QByteArray text = invitation({"invite-1"});
    ASSERT_EQ(store.importCalendarText(QStringLiteral("home"), text).importedUids.size(), 1);
    QByteArray expected = text;
    expected.replace("METHOD:REQUEST\r\n", "");
    EXPECT_EQ(read("home", QStringLiteral("invite-1.ics")), expected);
}

// A uid that the file's own reading and the search for its event do not take alike (libical reads "\t"
// as a tab): whatever comes of it, no file without the event stays, also not after another try.
TEST_F(VdirImportTest, ASeriesThatCannotBeWrittenAloneLeavesNoFile) {
    makeCalendar("home", "Home");
    VdirCalendarStore store(m_root.path());
    const QByteArray text = invitation({"odd\\tone", "plain"});
    const VdirCalendarStore::ImportResult first = store.importCalendarText(QStringLiteral("home"), text);
    ASSERT_FALSE(first.error);
    EXPECT_TRUE(first.importedUids.contains(QStringLiteral("plain")));
    EXPECT_EQ(eventFiles("home").size(), first.importedUids.size());
    const VdirCalendarStore::ImportResult second = store.importCalendarText(QStringLiteral("home"), text);
    EXPECT_EQ(eventFiles("home").size(), first.importedUids.size() + second.importedUids.size());
    for (const QString& file : eventFiles("home"))
        EXPECT_TRUE(read("home", file).contains("BEGIN:VEVENT")) << file.toStdString();
}

} // namespace
