#include "VdirTestSupport.h"

#include "store/vdir/OnDemandCalendarStore.h"

namespace {

using namespace std::chrono_literals;

constexpr auto CLOSE_DELAY = 150ms;

QByteArray event(const QByteArray& uid, const QByteArray& title) {
    return ics("BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:" + title +
               "\r\nDTSTART:20260610T100000Z\r\nDTEND:20260610T110000Z\r\nEND:VEVENT\r\n");
}

class OnDemandCalendarStoreTest : public VdirTest {
protected:
    void SetUp() override {
        makeCalendar("home", "Home");
        write("home", "first.ics", event("first", "First"));
        m_store = std::make_unique<OnDemandCalendarStore>(m_root.path(), CLOSE_DELAY);
        QObject::connect(m_store.get(), &CalendarStore::eventsChanged,
                         [this](const StoreChanges& c) { m_own.append(c); });
        QObject::connect(m_store.get(), &CalendarStore::eventsChangedExternally,
                         [this](const StoreChanges& c) { m_events.append(c); });
        QObject::connect(m_store.get(), &CalendarStore::calendarsChangedExternally,
                         [this](const StoreChanges& c) { m_calendars.append(c); });
    }
    QStringList titles() {
        QStringList result;
        for (const auto& e : m_store->events(at(2026, 6, 1).toQDateTime(), at(2026, 7, 1).toQDateTime(),
                                             m_store->calendars()))
            result.append(e->title);
        result.sort();
        return result;
    }
    bool waitUntilClosed() {
        return waitFor([this] { return !m_store->isOpen(); });
    }

    std::unique_ptr<OnDemandCalendarStore> m_store;
    QList<StoreChanges> m_own, m_events, m_calendars;
};

TEST_F(OnDemandCalendarStoreTest, OpensWhenAskedClosesWhenIdleAndItsRecordsOutliveIt) {
    EXPECT_FALSE(m_store->isOpen());
    const EventList events =
        m_store->events(at(2026, 6, 1).toQDateTime(), at(2026, 7, 1).toQDateTime(), m_store->calendars());
    EXPECT_TRUE(m_store->isOpen());
    ASSERT_TRUE(waitUntilClosed());
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0]->title, "First");
    ASSERT_TRUE(events[0]->calendar);
    EXPECT_EQ(events[0]->calendar->title, "Home");
    EXPECT_EQ(titles(), QStringList{"First"}); // opened again
}

TEST_F(OnDemandCalendarStoreTest, ChangesOnDiskWhileClosedAreAnnouncedAndReadByTheNextQuery) {
    write("home", "second.ics", event("second", "Second"));
    ASSERT_TRUE(waitFor([&] { return !m_events.isEmpty(); }));
    EXPECT_FALSE(m_store->isOpen()); // announcing opens nothing
    EXPECT_EQ(titles(), (QStringList{"First", "Second"}));
    ASSERT_TRUE(waitUntilClosed());

    // A calendar made by another program is watched from then on.
    m_events.clear();
    makeCalendar("work", "Work");
    ASSERT_TRUE(waitFor([&] { return !m_calendars.isEmpty(); }));
    spin(3 * VdirCalendarStore::WATCH_DELAY_MS);
    m_events.clear();
    write("work", "third.ics", event("third", "Third"));
    ASSERT_TRUE(waitFor([&] { return !m_events.isEmpty(); }));
    EXPECT_EQ(titles(), (QStringList{"First", "Second", "Third"}));
}

TEST_F(OnDemandCalendarStoreTest, ChangesWhileOpenAreAnnouncedOnceWithTheirUids) {
    EXPECT_EQ(titles(), QStringList{"First"});
    QByteArray renamed = event("first", "Renamed");
    write("home", "first.ics", renamed);
    ASSERT_TRUE(waitFor([&] { return !m_events.isEmpty(); }));
    ASSERT_TRUE(waitUntilClosed());
    ASSERT_EQ(m_events.size(), 1);
    EXPECT_EQ(m_events[0].updated, QStringList{"first"});
}

TEST_F(OnDemandCalendarStoreTest, OwnChangesAreAnnouncedBeforeTheSaveReturnsAndNeverEchoAfterClosing) {
    ASSERT_EQ(m_store->saveEvent(*hourLong(*m_store, "mine", "Mine", at(2026, 6, 12, 9)), CalSpan::AllEvents),
              std::nullopt);
    ASSERT_EQ(m_own.size(), 1);
    EXPECT_EQ(m_own[0].inserted, QStringList{"mine"});
    ASSERT_TRUE(waitUntilClosed());
    spin(3 * VdirCalendarStore::WATCH_DELAY_MS);
    EXPECT_TRUE(m_events.isEmpty());
    EXPECT_TRUE(m_calendars.isEmpty());
    EXPECT_EQ(titles(), (QStringList{"First", "Mine"}));
}

} // namespace
