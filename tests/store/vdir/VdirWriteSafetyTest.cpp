// What the store's writes leave behind on real files: links kept, the folder lock, and the temporary files
// of writers that were killed.
#include "VdirTestSupport.h"

#include "store/vdir/AtomicFileWriter.h"
#include "store/vdir/FolderLock.h"

#include <QFileInfo>

namespace {

const QByteArray DAILY = ics("BEGIN:VEVENT\r\nUID:daily\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Standup\r\n"
                             "DTSTART:20260601T070000Z\r\nDTEND:20260601T071500Z\r\n"
                             "RRULE:FREQ=DAILY;COUNT=5\r\nEND:VEVENT\r\n");

class VdirWriteSafetyTest : public VdirTest {
protected:
    // A file of `bytes` last modified `secondsAgo` ago.
    static void writeAged(const QString& path, const QByteArray& bytes, int secondsAgo) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        ASSERT_TRUE(file.flush()); // else closing writes, and the time is now again
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-secondsAgo),
                                     QFileDevice::FileModificationTime));
    }
    static QStringList temporaries(const QString& folderPath) {
        return QDir(folderPath).entryList({"*.tmp"}, QDir::Files | QDir::Hidden);
    }

    QTemporaryDir m_elsewhere; // outside the calendar tree
};

TEST_F(VdirWriteSafetyTest, OnlyOurOwnStaleTemporaryFilesAreRemovedOnOpen) {
    makeCalendar("home");
    makeCalendar("subscribed");
    write("subscribed", "readonly", "");
    const QStringList ours{"a.ics.0123456789ab.tmp", "lunch@example.org.ics.ffffffffffff.tmp"};
    const QStringList others{
        "b.ics.0123456789AB.tmp",  // not our hex
        "c.ics.0123456789a.tmp",   // one digit short
        "d.0123456789ab.tmp",      // not an event file's
        "e.icsqbhzhoq1",           // a peer's temporary name
        "f.ics.0123456789ab.tmp~", // not ending in .tmp
    };
    for (const QString& name : ours + others)
        writeAged(path("home", name), "partial", 120);
    writeAged(path("home", "g.ics.0123456789ab.tmp"), "a write under way", 5);
    writeAged(path("subscribed", "a.ics.0123456789ab.tmp"), "not ours to remove", 120);
    writeAged(m_elsewhere.filePath("h.ics.0123456789ab.tmp"), "only linked", 120);
    ASSERT_TRUE(
        QFile::link(m_elsewhere.filePath("h.ics.0123456789ab.tmp"), path("home", "h.ics.0123456789ab.tmp")));

    VdirCalendarStore store(m_root.path());
    QStringList kept = others;
    kept << "g.ics.0123456789ab.tmp"
         << "h.ics.0123456789ab.tmp";
    kept.sort();
    QStringList left = QDir(folder("home")).entryList(QDir::Files | QDir::System);
    left.sort();
    EXPECT_EQ(left, kept);
    EXPECT_EQ(temporaries(folder("subscribed")), QStringList{"a.ics.0123456789ab.tmp"});
    EXPECT_TRUE(QFileInfo::exists(m_elsewhere.filePath("h.ics.0123456789ab.tmp")));
}

TEST_F(VdirWriteSafetyTest, ALinkedEventFileStaysALinkAndTheFileItLeadsToIsChanged) {
    makeCalendar("home");
    const QString target = m_elsewhere.filePath("daily.ics");
    writeAged(target, DAILY, 0);
    // A relative link, as a user makes one by hand.
    ASSERT_TRUE(QFile::link(QDir(folder("home")).relativeFilePath(target), path("home", "daily.ics")));

    VdirCalendarStore store(m_root.path());
    EventList events = all(store);
    ASSERT_EQ(events.size(), 5);
    ASSERT_EQ(store.removeEvent(*events[1], CalSpan::ThisEvent), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("home", "daily.ics")).isSymLink());
    EXPECT_TRUE(read("home", "daily.ics").contains("EXDATE:20260602T070000Z"));
    EXPECT_EQ(temporaries(m_elsewhere.path()), QStringList());
    EXPECT_EQ(temporaries(folder("home")), QStringList());

    // Written again later, through a store that read the changed file; the lock file is no event.
    VdirCalendarStore reread(m_root.path());
    EXPECT_EQ(reread.calendars().size(), 1);
    events = all(reread);
    ASSERT_EQ(events.size(), 4);
    auto renamed = events[0]->copy();
    renamed->title = "Renamed";
    ASSERT_EQ(reread.saveEvent(*renamed, CalSpan::AllEvents), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("home", "daily.ics")).isSymLink());
    EXPECT_TRUE(read("home", "daily.ics").contains("SUMMARY:Renamed"));

    // Removing the event removes the link from the calendar, not the file it leads to.
    const QByteArray before = read("home", "daily.ics");
    ASSERT_EQ(reread.removeEvent(*all(reread).value(0), CalSpan::AllEvents), std::nullopt);
    EXPECT_FALSE(QFileInfo(path("home", "daily.ics")).exists());
    EXPECT_FALSE(QFileInfo(path("home", "daily.ics")).isSymLink());
    EXPECT_EQ(readFile(target), before);
}

TEST_F(VdirWriteSafetyTest, ALinkLeadingNowhereOrIntoAnUnwritablePlaceIsAClearError) {
    makeCalendar("home");
    AtomicFileWriter writer;
    struct Case {
        QString target;
        const char* reason;
    };
    // Even root cannot create files in /proc.
    const Case cases[] = {{m_elsewhere.filePath("missing.ics"), "No such file"}, {"/proc/version", ""}};
    for (const Case& c : cases) {
        const QString link = path("home", "linked.ics");
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(c.target, link));
        const std::optional<StoreError> failed = writer.write(link, DAILY, FileWriter::Mode::Replace);
        ASSERT_TRUE(failed) << c.target.toStdString();
        EXPECT_EQ(failed->code, StoreError::WriteFailed);
        EXPECT_TRUE(failed->description.contains("\"linked.ics\" is a link to \"" + c.target + "\""))
            << failed->description.toStdString();
        EXPECT_TRUE(failed->description.contains(c.reason)) << failed->description.toStdString();
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), c.target);
    }
    EXPECT_EQ(temporaries(folder("home")), QStringList());
}

TEST_F(VdirWriteSafetyTest, AFolderWhoseLockCannotBeMadeIsReadButNotChanged) {
    makeCalendar("home");
    write("home", "daily.ics", DAILY);
    ASSERT_TRUE(QDir(folder("home")).mkdir(FolderLock::FILE_NAME));
    VdirCalendarStore store(m_root.path());
    ASSERT_EQ(store.calendars().size(), 1);
    const EventList events = all(store);
    ASSERT_EQ(events.size(), 5);
    const std::optional<StoreError> failed = store.removeEvent(*events[1], CalSpan::ThisEvent);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->code, StoreError::WriteFailed);
    EXPECT_TRUE(failed->description.contains("could not be locked")) << failed->description.toStdString();
    EXPECT_EQ(read("home", "daily.ics"), DAILY);
    EXPECT_EQ(all(store).size(), 5);

    // Without the folder there is no lock either, but the reason to give is that the calendar is gone.
    ASSERT_TRUE(QDir(folder("home")).removeRecursively());
    const std::optional<StoreError> gone = store.removeEvent(*events[1], CalSpan::ThisEvent);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->code, StoreError::NotFound);
}

} // namespace
