// Real files written by other programs: the store reads them or skips them, and an event saved back
// without a change leaves its file exactly as it was.
#include "CorpusFiles.h"
#include "VdirTestSupport.h"

namespace {

class VdirCorpusTest : public VdirTest {};

TEST_F(VdirCorpusTest, UntouchedEventsWrittenBackLeaveEveryFileAsItWas) {
    makeCalendar("corpus");
    QMap<QString, QByteArray> originals;
    for (const QString& file : corpusFiles()) {
        const QString name = QString(file).replace(u'/', u'_');
        originals.insert(name, corpusText(file));
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
