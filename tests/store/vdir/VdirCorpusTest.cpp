// Real files written by other programs: the store reads them or skips them, and an event saved back
// without a change leaves its file exactly as it was.
#include "VdirTestSupport.h"

#include <QDirIterator>

namespace {

class VdirCorpusTest : public VdirTest {};

TEST_F(VdirCorpusTest, UntouchedEventsWrittenBackLeaveEveryFileAsItWas) {
    makeCalendar("corpus");
    QMap<QString, QByteArray> originals;
    QDirIterator files(QStringLiteral(VERDALUNE_ICS_CORPUS), {"*.ics"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        QString name =
            QDir(QStringLiteral(VERDALUNE_ICS_CORPUS)).relativeFilePath(source).replace(u'/', u'_');
        QFile in(source);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        originals.insert(name, in.readAll());
        write("corpus", name, originals[name]);
    }
    ASSERT_GT(originals.size(), 300);

    VdirCalendarStore store(m_root.path());
    const EventList events =
        store.events(at(1990, 1, 1).toQDateTime(), at(2040, 1, 1).toQDateTime(), store.calendars());
    QSet<QString> saved;
    int written = 0;
    for (const auto& event : events) {
        if (saved.contains(event->uid) || event->uid.isEmpty() || event->isDetached)
            continue;
        saved.insert(event->uid);
        if (!store.saveEvent(*event, CalSpan::AllEvents))
            ++written;
    }
    EXPECT_GT(written, 100);
    for (auto it = originals.cbegin(); it != originals.cend(); ++it)
        EXPECT_EQ(read("corpus", it.key()), it.value()) << it.key().toStdString();
}

} // namespace
