// The index of parsed files kept between runs: what a store reads from it must be what the files say.
#include "CorpusFiles.h"
#include "VdirTestSupport.h"

#include "store/ics/RecurrenceRuleText.h"

namespace {

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
                      event.attendees.join(u','),
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

    // Old enough for the index to take it.
    void settle(const QString& calendar, const QString& file) const {
        QFile f(path(calendar, file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    // New text of the same size with the old stamp: only a store that reads the file sees it.
    void rewriteInPlace(const QString& calendar, const QString& file, const QByteArray& from,
                        const QByteArray& to) const {
        ASSERT_EQ(from.size(), to.size());
        const QDateTime modified = QFileInfo(path(calendar, file)).lastModified();
        QFile f(path(calendar, file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray text = f.readAll();
        ASSERT_TRUE(text.contains(from));
        text.replace(from, to);
        f.seek(0);
        f.write(text);
        f.flush();
        ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    QStringList titles() const {
        VdirCalendarStore store(m_root.path());
        QStringList result;
        for (const auto& event :
             store.events(at(2026, 1, 1).toQDateTime(), at(2027, 1, 1).toQDateTime(), store.calendars()))
            result.append(event->title);
        result.sort();
        return result;
    }
    void writeLunch(const QString& file, const QByteArray& title) {
        write("home", file,
              ics("BEGIN:VEVENT\r\nUID:" + file.toUtf8() +
                  "\r\nDTSTART:20260310T120000Z\r\n"
                  "DTEND:20260310T130000Z\r\nSUMMARY:" +
                  title + "\r\nEND:VEVENT\r\n"));
        settle("home", file);
    }
};

TEST_F(VdirIndexTest, TheCorpusReadFromTheIndexIsWhatParsingGives) {
    makeCalendar("corpus");
    for (const QString& file : corpusFiles()) {
        const QString name = QString(file).replace(u'/', u'_');
        write("corpus", name, corpusText(file));
        settle("corpus", name);
    }
    const QDateTime from = at(1990, 1, 1).toQDateTime(), to = at(2040, 1, 1).toQDateTime();
    QStringList parsed, indexed;
    QString firstFile;
    {
        VdirCalendarStore store(m_root.path());
        const EventList events = store.events(from, to, store.calendars());
        for (const auto& event : events)
            parsed.append(fingerprint(*event));
        firstFile = events.front()->source->fileName;
    }
    ASSERT_TRUE(QFileInfo(indexPath()).size() > 0);
    // Proof that the second store reads the index: a file changed behind an unchanged stamp keeps its
    // old events there.
    rewriteInPlace("corpus", firstFile, "BEGIN:VEVENT", "BEGIN:VXXXXX");
    {
        VdirCalendarStore store(m_root.path());
        for (const auto& event : store.events(from, to, store.calendars()))
            indexed.append(fingerprint(*event));
    }
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
    makeCalendar("home");
    writeLunch("a.ics", "Lunch");
    writeLunch("b.ics", "Brunch");
    EXPECT_EQ(titles(), (QStringList{"Brunch", "Lunch"}));
    writeLunch("a.ics", "Supper with a longer title");
    QFile::remove(path("home", "b.ics"));
    writeLunch("c.ics", "Tea");
    EXPECT_EQ(titles(), (QStringList{"Supper with a longer title", "Tea"}));
    // Same size and a new stamp: read again.
    writeLunch("a.ics", "Dinner with a longer title");
    EXPECT_EQ(titles(), (QStringList{"Dinner with a longer title", "Tea"}));
}

TEST_F(VdirIndexTest, ADamagedOrForeignIndexIsRebuiltWithNothingLost) {
    makeCalendar("home");
    for (int i = 0; i < 20; ++i)
        writeLunch(QStringLiteral("e%1.ics").arg(i), "Lunch " + QByteArray::number(i));
    const QStringList expected = titles();
    ASSERT_EQ(expected.size(), 20);
    QFile file(indexPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

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
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        EXPECT_EQ(titles(), expected) << what;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().size(), good.size()) << what << ": written anew";
        file.close();
    }
}

TEST_F(VdirIndexTest, AFileChangedJustBeforeTheIndexWasWrittenIsReadAgain) {
    makeCalendar("home");
    write("home", "fresh.ics",
          ics("BEGIN:VEVENT\r\nUID:fresh\r\nDTSTART:20260310T120000Z\r\nSUMMARY:Lunch\r\nEND:VEVENT\r\n"));
    EXPECT_EQ(titles(), QStringList{"Lunch"});
    // Another change in the same tick of the clock would keep the stamp.
    rewriteInPlace("home", "fresh.ics", "Lunch", "Brunc");
    EXPECT_EQ(titles(), QStringList{"Brunc"});
}

TEST_F(VdirIndexTest, ChangesTheStoreMakesReachTheIndex) {
    makeCalendar("home");
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

} // namespace
