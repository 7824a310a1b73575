// Real files written by other programs: the store reads them or skips them, and an event saved back
// without a change leaves its file exactly as it was.
#include "CorpusFiles.h"
#include "VdirTestSupport.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

// Parsed (cold) or taken from the index of an earlier run (warm).
class VdirCorpusTest : public VdirTest, public ::testing::WithParamInterface<bool> {};

TEST_P(VdirCorpusTest, UntouchedEventsWrittenBackLeaveEveryFileAsItWas) {
    makeCalendar("corpus");
    QMap<QString, QByteArray> originals;
    for (const QString& file : corpusFiles()) {
        const QString name = QString(file).replace(u'/', u'_');
        originals.insert(name, corpusText(file));
        write("corpus", name, originals[name]);
    }
    ASSERT_GT(originals.size(), 300);
    if (GetParam()) {
        letSettle();
        VdirCalendarStore first(m_root.path());
        ASSERT_TRUE(QFileInfo::exists(VdirIndex::pathFor(m_root.path())));
    }

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

INSTANTIATE_TEST_SUITE_P(ParsedAndIndexed, VdirCorpusTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Indexed" : "Parsed"; });

} // namespace
