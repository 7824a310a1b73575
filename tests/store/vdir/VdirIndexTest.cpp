// The index of parsed files kept between runs: what a store reads from it must be what the files say.
#include "CorpusFiles.h"
#include "HostileFile.h"
#include "VdirTestSupport.h"

#include "store/ics/BinaryReader.h"
#include "store/ics/BinaryWriter.h"
#include "store/ics/IcsReader.h"
#include "store/ics/IcsSeriesCodec.h"
#include "store/ics/RecurrenceRuleText.h"
#include "store/vdir/IndexedFolder.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

QString attendeesText(const CalEvent& event) {
    QStringList people;
    for (const CalAttendee& one :
         event.organizer ? event.attendees + QList{*event.organizer} : event.attendees)
        people << QStringLiteral("%1 %2 %3 %4")
                      .arg(one.commonName, one.address)
                      .arg(one.status)
                      .arg(one.replyRequested);
    return people.join(u',');
}

// Everything a record says, to compare what the index gives with what parsing gives.
QString fingerprint(const CalEvent& event) {
    QStringList parts{event.uid,
                      event.occurrence.toString(Qt::ISODateWithMs),
                      event.title,
                      event.startDate.toString(Qt::ISODateWithMs),
                      event.endDate.toString(Qt::ISODateWithMs),
                      event.location,
                      event.notes,
                      event.url.toString(),
                      QString::number(event.isAllDay),
                      QString::number(event.isDetached),
                      attendeesText(event),
                      event.recurrenceRule ? RecurrenceRuleText::format(*event.recurrenceRule, {})
                                           : QString(),
                      event.calendar->uid,
                      event.source->fileName};
    for (const auto& alarm : event.alarms)
        parts << QStringLiteral("alarm %1 %2 %3 %4 %5 %6 %7")
                     .arg(alarm->action())
                     .arg(alarm->relativeTrigger())
                     .arg(alarm->absoluteTrigger().value_or(QDateTime()).toString(Qt::ISODate),
                          alarm->sound(), alarm->url().toString(), alarm->emailAddress(),
                          alarm->procedureArguments());
    return parts.join(u'|');
}

class VdirIndexTest : public VdirTest {
protected:
    QString indexPath() const { return VdirIndex::pathFor(m_root.path()); }

    // As `cp -p` and sync tools leave a file: new text of the same size in the same inode, with the
    // modification time it had.
    void rewriteInPlace(const QString& calendar, const QString& file, const QByteArray& from,
                        const QByteArray& to) const {
        ASSERT_EQ(from.size(), to.size());
        const QByteArray name = QFile::encodeName(path(calendar, file));
        struct stat before {};
        ASSERT_EQ(::stat(name.constData(), &before), 0);
        QFile f(path(calendar, file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray text = f.readAll();
        ASSERT_TRUE(text.contains(from));
        text.replace(from, to);
        f.seek(0);
        f.write(text);
        f.close();
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
    }
    bool indexHolds(const QByteArray& text) const { return readFile(indexPath()).contains(text); }
    QStringList titles() const {
        VdirCalendarStore store(m_root.path());
        return VdirTest::titles(store);
    }
    void SetUp() override { makeCalendar("home"); } // where writeLunch writes
    void writeLunch(const QString& file, const QByteArray& title) {
        write("home", file,
              ics("BEGIN:VEVENT\r\nUID:" + file.toUtf8() +
                  "\r\nDTSTART:20260310T120000Z\r\n"
                  "DTEND:20260310T130000Z\r\nSUMMARY:" +
                  title + "\r\nEND:VEVENT\r\n"));
    }
};

TEST_F(VdirIndexTest, TheCorpusReadFromTheIndexIsWhatParsingGives) {
    makeCalendar("corpus");
    for (const QString& file : corpusFiles()) {
        const QString name = QString(file).replace(u'/', u'_');
        write("corpus", name, corpusText(file));
    }
    letSettle();
    const QDateTime from = at(1990, 1, 1).toQDateTime(), to = at(2040, 1, 1).toQDateTime();
    QStringList parsed, indexed;
    const auto readAll = [&](QStringList& into) {
        VdirCalendarStore store(m_root.path());
        for (const auto& event : store.events(from, to, store.calendars()))
            into.append(fingerprint(*event));
    };
    readAll(parsed);
    readAll(indexed); // from the index: see the same-size rewrite below for proof that stores take it
    ASSERT_GT(parsed.size(), 1000);
    EXPECT_EQ(indexed, parsed);

    // Narrow windows: a series the index places wrongly in time would be missing from some of them.
    const auto inWindows = [&](VdirCalendarStore& store) {
        QStringList found;
        for (const int year : {1997, 2002, 2008, 2016, 2025})
            for (const auto& event :
                 store.events(at(year, 6, 1).toQDateTime(), at(year, 7, 1).toQDateTime(), store.calendars()))
                found.append(fingerprint(*event));
        return found;
    };
    QFile::remove(indexPath());
    VdirCalendarStore fresh(m_root.path()); // parses every file and writes the index anew
    parsed = inWindows(fresh);
    VdirCalendarStore cached(m_root.path());
    indexed = inWindows(cached);
    ASSERT_GT(parsed.size(), 100);
    EXPECT_EQ(indexed, parsed);
}

TEST_F(VdirIndexTest, ChangedAddedAndRemovedFilesAreReadAgain) {
    writeLunch("a.ics", "Lunch");
    writeLunch("b.ics", "Brunch");
    letSettle();
    EXPECT_EQ(titles(), (QStringList{"Brunch", "Lunch"}));
    writeLunch("a.ics", "Supper with a longer title");
    QFile::remove(path("home", "b.ics"));
    writeLunch("c.ics", "Tea");
    EXPECT_EQ(titles(), (QStringList{"Supper with a longer title", "Tea"}));
}

TEST_F(VdirIndexTest, AFileRewrittenAtTheSameSizeWithItsTimeSetBackIsReadAgain) {
    writeLunch("a.ics", "Lunch");
    letSettle();
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    // Taken from the index: a store that read a file would write the index anew.
    const std::optional<FileStamp> written = FileStamp::of(indexPath());
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    ASSERT_EQ(FileStamp::of(indexPath()), written);
    rewriteInPlace("home", "a.ics", "SUMMARY:Lunch", "SUMMARY:Tapas");
    EXPECT_EQ(titles(), QStringList{"Tapas"});
}

// A folder no file was renamed into, linked into or removed from since it was listed is taken from the
// index without looking at its files: one written in place is found once the store has started.
TEST_F(VdirIndexTest, AFileRewrittenInPlaceInAFolderTakenOnTrustIsFoundAfterTheStart) {
    writeLunch("a.ics", "Lunch");
    letSettle();
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    rewriteInPlace("home", "a.ics", "SUMMARY:Lunch", "SUMMARY:Tapas");
    VdirCalendarStore store(m_root.path());
    QStringList updated;
    QObject::connect(&store, &CalendarStore::eventsChangedExternally,
                     [&](const StoreChanges& changes) { updated += changes.updated; });
    ASSERT_TRUE(waitFor([&] { return !updated.isEmpty(); }, VdirCalendarStore::VERIFY_DELAY_MS + 5000));
    EXPECT_EQ(updated, QStringList{"a.ics"});
    EXPECT_EQ(store.seriesRecords("home").front()->title, "Tapas");
}

// A folder is taken on trust only while the index holds every event file it had when it was listed.
TEST_F(VdirIndexTest, AFolderWithFilesTheIndexLeftOutIsListedAgain) {
    writeLunch("a.ics", "Lunch");
    writeLunch("b.ics", "Tea");
    write("home", "c.ics", "not a calendar");
    letSettle();
    EXPECT_EQ(titles(), (QStringList{"Lunch", "Tea"}));
    writeLunch("b.ics", "Pie");    // in place: read again, but too fresh for the index
    writeLunch("c.ics", "Supper"); // in place: the file that could not be read now can
    EXPECT_EQ(titles(), (QStringList{"Lunch", "Pie", "Supper"}));
    EXPECT_EQ(titles(), (QStringList{"Lunch", "Pie", "Supper"}));
}

// A store taken whole from the index reads only what its queries ask for, and must tell what one that read
// every file tells: which copy of a series two files hold is shown, and that it is not changed.
TEST_F(VdirIndexTest, AStoreTakenWholeFromTheIndexShowsTheFirstCopyOfARepeatedSeries) {
    makeCalendar("work");
    const auto lunch = [](const QByteArray& title) {
        return ics("BEGIN:VEVENT\r\nUID:shared\r\nDTSTART:20260310T120000Z\r\nDTEND:20260310T130000Z\r\n"
                   "SUMMARY:" +
                   title + "\r\nEND:VEVENT\r\n");
    };
    write("work", "a.ics", lunch("Work lunch"));
    write("home", "b.ics", lunch("Home lunch"));
    writeLunch("c.ics", "Tea");
    letSettle();
    const QStringList shown{"Home lunch", "Tea"}; // the first calendar read (home) holds it
    EXPECT_EQ(titles(), shown);
    VdirCalendarStore store(m_root.path());
    EXPECT_EQ(VdirTest::titles(store), shown);
    const EventList events = all(store);
    const auto home =
        std::find_if(events.begin(), events.end(), [](const auto& e) { return e->uid == "shared"; });
    ASSERT_NE(home, events.end());
    const std::optional<StoreError> refused = store.saveEvent(**home, CalSpan::AllEvents);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->description.contains("several files")) << refused->description.toStdString();
    EXPECT_EQ(VdirTest::titles(store), shown);
}

TEST_F(VdirIndexTest, ADamagedOrForeignIndexIsRebuiltWithNothingLost) {
    for (int i = 0; i < 20; ++i)
        writeLunch(QStringLiteral("e%1.ics").arg(i), "Lunch " + QByteArray::number(i));
    letSettle();
    const QStringList expected = titles();
    ASSERT_EQ(expected.size(), 20);
    const QByteArray good = readFile(indexPath());

    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x5a);
    QByteArray otherVersion = good;
    otherVersion[7] = char(otherVersion[7] + 1);
    const QList<std::pair<const char*, QByteArray>> damaged{{"empty", {}},
                                                            {"truncated", good.left(good.size() / 2)},
                                                            {"flipped byte", flipped},
                                                            {"other version", otherVersion},
                                                            {"not an index", QByteArray(4096, 'x')}};
    for (const auto& [what, bytes] : damaged) {
        ASSERT_TRUE(writeFile(indexPath(), bytes));
        EXPECT_EQ(titles(), expected) << what;
        EXPECT_EQ(readFile(indexPath()).size(), good.size()) << what << ": written anew";
    }
}

// The table that finds items is checked at every start; a text or series only once it is read.
TEST_F(VdirIndexTest, ADamagedTextInTheIndexIsReadFromItsFileAndWrittenAnew) {
    writeLunch("a.ics", "Lunch");
    letSettle();
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    QByteArray damaged = readFile(indexPath());
    ASSERT_EQ(damaged.count("SUMMARY:Lunch"), 1);
    ASSERT_TRUE(writeFile(indexPath(), damaged.replace("SUMMARY:Lunch", "SUMMARY:Lxnch")));
    {
        VdirCalendarStore store(m_root.path());
        EXPECT_EQ(VdirTest::titles(store), QStringList{"Lunch"});
        // Writes patch this text: it must be the file's.
        EXPECT_EQ(store.seriesText("a.ics"), read("home", "a.ics"));
    }
    EXPECT_TRUE(indexHolds("SUMMARY:Lunch"));
}

// Another change in the same tick of the clock would keep the stamp.
TEST_F(VdirIndexTest, AFileChangedJustBeforeTheIndexIsWrittenStaysOutOfItUntilItSettles) {
    writeLunch("fresh.ics", "Lunch");
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    EXPECT_FALSE(indexHolds("SUMMARY:Lunch"));
    // A modification time set back makes it no older.
    QFile file(path("home", "fresh.ics"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    EXPECT_FALSE(indexHolds("SUMMARY:Lunch"));
    letSettle();
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    EXPECT_TRUE(indexHolds("SUMMARY:Lunch"));
}

TEST_F(VdirIndexTest, ChangesTheStoreMakesReachTheIndex) {
    writeLunch("a.ics", "Lunch");
    {
        VdirCalendarStore store(m_root.path());
        const EventList events =
            store.events(at(2026, 1, 1).toQDateTime(), at(2027, 1, 1).toQDateTime(), store.calendars());
        ASSERT_EQ(events.size(), 1);
        ASSERT_FALSE(store.removeEvent(*events.front(), CalSpan::AllEvents));
    }
    EXPECT_EQ(titles(), QStringList{});
}

// Read gradually, as the window reads a store its index does not hold.
class VdirGradualReadingTest : public VdirIndexTest {
protected:
    static constexpr int MANY = 3000; // more files than one turn of reading takes
    void writeMany() {
        for (int n = 0; n < MANY; ++n)
            writeLunch(QStringLiteral("%1.ics").arg(n, 5, 10, QChar(u'0')), "Lunch");
    }
    // The store, with what it announces as inserted collected in `inserted`.
    std::unique_ptr<VdirCalendarStore> gradual() {
        auto store = std::make_unique<VdirCalendarStore>(m_root.path(), VdirCalendarStore::Watch::Changes,
                                                         nullptr, VdirCalendarStore::Reading::Gradually);
        QObject::connect(store.get(), &CalendarStore::eventsChangedExternally,
                         [this](const StoreChanges& changes) { inserted += changes.inserted; });
        return store;
    }
    QStringList inserted;
};

// What was read is announced, and the index written once all was.
TEST_F(VdirGradualReadingTest, AStoreFillsInAndIsTakenFromTheIndexNextTime) {
    makeCalendar("work");
    writeLunch("a.ics", "Lunch");
    writeLunch("b.ics", "Tea");
    write("work", "c.ics",
          ics("BEGIN:VEVENT\r\nUID:c.ics\r\nDTSTART:20260311T120000Z\r\nSUMMARY:Review\r\nEND:VEVENT\r\n"));
    letSettle();
    const auto store = gradual();
    ASSERT_TRUE(store->isReading());
    EXPECT_TRUE(all(*store).isEmpty());
    std::pair<qsizetype, qsizetype> progress;
    QObject::connect(store.get(), &VdirCalendarStore::readProgressed, [&](qsizetype read, qsizetype total) {
        progress = {read, total};
    });
    ASSERT_TRUE(waitFor([&] { return progress.second > 0 && progress.first == progress.second; }));
    inserted.sort();
    EXPECT_EQ(inserted, (QStringList{"a.ics", "b.ics", "c.ics"}));
    EXPECT_EQ(progress.second, 3);
    EXPECT_EQ(VdirTest::titles(*store), (QStringList{"Lunch", "Review", "Tea"}));
    EXPECT_FALSE(gradual()->isReading());
    EXPECT_EQ(titles(), (QStringList{"Lunch", "Review", "Tea"}));
}

// A change or a search needs every file: the rest is read first, and still announced to the window.
TEST_F(VdirGradualReadingTest, AnythingButAWindowsQueryReadsWhatIsStillToBeReadFirst) {
    writeLunch("a.ics", "Lunch");
    writeLunch("b.ics", "Tea");
    const auto store = gradual();
    EXPECT_EQ(store->seriesRecords("home").size(), 2);
    EXPECT_FALSE(store->isReading());
    spin(50);
    EXPECT_EQ(inserted.size(), 2);
}

// A folder taken from the index is known before one read gradually: the first calendar's copy of a
// series two hold is still the one shown, as a store reading all at once shows it.
TEST_F(VdirGradualReadingTest, AFolderReadLaterStillHoldsTheFirstCopyOfARepeatedSeries) {
    makeCalendar("work");
    const auto lunch = [](const QByteArray& title) {
        return ics("BEGIN:VEVENT\r\nUID:shared\r\nDTSTART:20260310T120000Z\r\nSUMMARY:" + title +
                   "\r\nEND:VEVENT\r\n");
    };
    write("home", "a.ics", lunch("Home lunch"));
    write("work", "b.ics", lunch("Work lunch"));
    letSettle();
    ASSERT_EQ(titles(), QStringList{"Home lunch"});
    writeLunch("c.ics", "Tea"); // home is read again, work taken on trust
    const auto store = gradual();
    ASSERT_TRUE(waitFor([&] { return !store->isReading(); }));
    EXPECT_EQ(VdirTest::titles(*store), (QStringList{"Home lunch", "Tea"}));
}

// A sync while the window fills in: what it removes is not read (nor said to be unreadable), what it adds
// is taken in once all is read.
TEST_F(VdirGradualReadingTest, ChangesByOthersMeanwhileAreTakenInOnceAllIsRead) {
    writeMany();
    StoreLog log;
    const auto store = gradual();
    QCoreApplication::processEvents();
    if (!store->isReading())
        GTEST_SKIP() << "all files were read in one turn";
    ASSERT_TRUE(QFile::remove(path("home", "02999.ics")));
    writeLunch("new.ics", "Tea");
    ASSERT_TRUE(waitFor([&] { return inserted.contains("new.ics"); }));
    EXPECT_FALSE(inserted.contains("02999.ics"));
    EXPECT_EQ(inserted.size(), MANY);
    EXPECT_EQ(VdirTest::titles(*store).count("Tea"), 1);
    EXPECT_EQ(log.lines, QStringList{});
}

// Quitting meanwhile must not leave an index that vouches for the folder: the next start would show only
// what was read.
TEST_F(VdirGradualReadingTest, AStoreLeftWhileReadingLosesNothingAtTheNextStart) {
    writeMany();
    letSettle();
    {
        const auto store = gradual();
        QCoreApplication::processEvents();
        if (!store->isReading())
            GTEST_SKIP() << "all files were read in one turn";
    }
    EXPECT_EQ(titles().size(), MANY);
}

// Nor may it drop what the index held of the files not yet read: the next start would read them all.
TEST_F(VdirGradualReadingTest, AStoreLeftWhileReadingKeepsWhatTheIndexHeldOfTheRest) {
    writeMany();
    writeLunch("zebra.ics", "Zebra"); // read last
    letSettle();
    ASSERT_EQ(titles().size(), MANY + 1);
    for (int n = 0; n < MANY; ++n) // new files before it
        writeLunch(QStringLiteral("0-%1.ics").arg(n), "Lunch");
    {
        const auto store = gradual();
        QCoreApplication::processEvents();
        if (!store->isReading())
            GTEST_SKIP() << "all files were read in one turn";
    }
    EXPECT_TRUE(indexHolds("SUMMARY:Zebra"));
}

class VdirIndexHostileTest : public VdirIndexTest, public ::testing::WithParamInterface<HostileKind> {};

TEST_P(VdirIndexHostileTest, WhatElseIsAtItsPathIsNotReadAndIsReplacedWithoutHarm) {
    writeLunch("a.ics", "Lunch");
    EXPECT_TRUE(withstands(GetParam(), indexPath(), VdirIndex::MAX_SIZE + 1,
                           [&] { return titles() == QStringList{"Lunch"}; }));
    QDir(indexPath()).removeRecursively(); // what a folder cannot be replaced by
}

INSTANTIATE_TEST_SUITE_P(Kinds, VdirIndexHostileTest, ::testing::ValuesIn(ALL_HOSTILE_KINDS),
                         hostileTestName);

} // namespace

// The index gives the names of files the store then writes and removes: only a name a listing of the folder
// could give is taken from it.
TEST(IndexedFolderTest, AnEntryNamedOutsideItsFolderIsRefused) {
    const QByteArray text = ics("BEGIN:VEVENT\r\nUID:x\r\nDTSTART:20260310T120000Z\r\nEND:VEVENT\r\n");
    QList<VdirItem> items;
    for (const QString name : {"../escape.ics", "a/b.ics", "good.ics"})
        items.append(VdirItem(FileStamp{1, 1, 1, 1},
                              std::make_shared<const CalEventSource>(CalEventSource{"home", name, text}),
                              IcsReader::read(text).series));
    QList<const VdirItem*> written;
    for (const VdirItem& item : items)
        written.append(&item);
    BinaryWriter out;
    QByteArray contents;
    const auto codec = std::make_shared<IcsSeriesCodec>();
    IndexedFolder::write(out, written, std::nullopt, {}, codec, contents);
    BinaryReader in(out.bytes());
    const VdirItem::Stored stored{std::make_shared<const VdirItem::Origin>(
        VdirItem::Origin{nullptr, codec, {}, std::make_shared<bool>()})};
    const std::optional<IndexedFolder> folder = IndexedFolder::read(in, out.bytes(), "home", stored);
    ASSERT_TRUE(folder);
    EXPECT_FALSE(folder->item(0));
    EXPECT_FALSE(folder->item(1));
    ASSERT_TRUE(folder->item(2));
    EXPECT_EQ(folder->item(2)->fileName(), "good.ics");
    EXPECT_FALSE(folder->items()); // so the store reads the folder's files instead
}
