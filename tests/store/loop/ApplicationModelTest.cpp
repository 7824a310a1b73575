#include "store/ApplicationModel.h"
#include "TestSupport.h"
#include "base/Logger.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

const QDateTime MONDAY = QDateTime(QDate(2024, 3, 4), QTime(9, 0), Qt::UTC);

std::shared_ptr<CalCalendar> calendar(const QString& uid) {
    auto result = CalCalendar::calendar();
    result->uid = uid;
    return result;
}

// An occurrence `days` after MONDAY of a daily series, or a single event when `uid` is not "daily".
std::shared_ptr<CalEvent> event(const QString& uid, const std::shared_ptr<CalCalendar>& in, double days = 0,
                                bool detached = false) {
    auto result = CalEvent::event();
    result->uid = uid;
    result->title = uid;
    result->calendar = in;
    result->startDate = MONDAY.addMSecs(qint64(days * 86'400'000));
    result->endDate = result->startDate.addSecs(3600);
    if (uid == u"daily"_s) {
        result->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
        result->occurrence = result->startDate;
        result->isDetached = detached;
    }
    return result;
}

class ApplicationModelTest : public ::testing::Test {
protected:
    void SetUp() override { m_model.setCalendars({m_home, m_work}); }

    ApplicationModel m_model;
    std::shared_ptr<CalCalendar> m_home = calendar(u"home"_s);
    std::shared_ptr<CalCalendar> m_work = calendar(u"work"_s);
};

TEST_F(ApplicationModelTest, ARecordGivenTwiceIsStoredOnceAndLogged) {
    QStringList log;
    Logger::addLoggerWithName(LOTHER); // every level
    Logger::setSink([&](const QString& line) { log.append(line); });
    const auto lunch = event(u"lunch"_s, m_home);
    const auto dinner = event(u"dinner"_s, m_home);
    m_model.setEvents({lunch, dinner, lunch});
    Logger::setSink(nullptr);
    Logger::addLoggerWithName(LOTHER).setLevel(Logger::LOG_ERROR_LEVEL);

    EXPECT_EQ(m_model.events(), (EventList{lunch, dinner}));
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].endsWith(u": Events contains duplicates"_s));
    EXPECT_TRUE(log[1].contains(u"duplicate count 2 \"lunch\""_s));
}

TEST_F(ApplicationModelTest, ReplacingOccurrencesMovesTheSelection) {
    struct Case {
        const char* name;
        bool selectDetached;
        QList<double> newDays; // of the replacing occurrences; the selected one is at day 0
        int expected;          // index in newDays, -1 for none
    };
    const Case cases[] = {
        {"occurrence moves to the nearest", false, {3, 1.2, 0.8}, 2},
        {"equally near: the first wins", false, {-1, 1}, 0},
        {"no occurrence left", false, {}, -1},
        {"detached back at its date", true, {2, 0.000001}, 1},
        {"detached gone", true, {0.01}, -1},
    };
    for (const Case& c : cases) {
        const auto selected = event(u"daily"_s, m_work, 0, c.selectDetached);
        const auto other = event(u"lunch"_s, m_home);
        m_model.setEvents({selected, event(u"daily"_s, m_work, 1), other});
        m_model.setSelectedEvent(selected);
        EventList replacing;
        for (double days : c.newDays)
            replacing.append(event(u"daily"_s, m_work, days, c.selectDetached));
        m_model.replaceEventsWithUid(u"daily"_s, replacing);
        EXPECT_EQ(m_model.selectedEvent(), c.expected < 0 ? nullptr : replacing[c.expected]) << c.name;
        EXPECT_EQ(m_model.selectedCalendarUid(), u"work"_s) << c.name;
        EXPECT_EQ(m_model.events().size(), c.newDays.size() + 1) << c.name;
    }

    const auto other = m_model.eventsWithUid(u"lunch"_s).first();
    m_model.setSelectedEvent(other);
    m_model.replaceEventsWithUid(u"daily"_s, {});
    EXPECT_EQ(m_model.selectedEvent(), other);
}

TEST_F(ApplicationModelTest, SelectionFollowsCalendarsAndReloads) {
    const auto lunch = event(u"lunch"_s, m_home);
    const auto standup = event(u"daily"_s, m_work, 2);
    m_model.setEvents({lunch, standup});
    m_model.setEnabledCalendarUids({u"home"_s, u"work"_s});

    m_model.setSelectedEvent(lunch);
    EXPECT_EQ(m_model.selectedCalendar(), m_home);
    m_model.setSelectedCalendarUid(u"work"_s);
    EXPECT_EQ(m_model.selectedEvent(), nullptr);

    m_model.setSelectedEvent(standup);
    const auto reloaded = event(u"daily"_s, m_work, 2);
    m_model.setEvents({event(u"daily"_s, m_work, 1), reloaded, event(u"lunch"_s, m_home)});
    EXPECT_EQ(m_model.selectedEvent(), reloaded);

    const auto renamed = calendar(u"work"_s);
    m_model.replaceCalendarWithUid(u"work"_s, renamed);
    EXPECT_EQ(reloaded->calendar, renamed);
    EXPECT_EQ(m_model.selectedCalendar(), renamed);

    m_model.deleteCalendar(renamed);
    EXPECT_EQ(m_model.selectedCalendarUid(), QString());
    EXPECT_EQ(m_model.selectedEvent(), nullptr);
    EXPECT_EQ(m_model.enabledCalendarUids(), QSet<QString>{u"home"_s});
    EXPECT_NE(failureText([&] { m_model.eventsInCalendar(*renamed); }).find(" not in "), std::string::npos);
}

EventKey key(const QString& uid, int occurrenceDays, bool recurring) {
    auto event = CalEvent::event();
    event->uid = uid;
    event->occurrence = MONDAY.addDays(occurrenceDays);
    if (recurring)
        event->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Weekly);
    return EventKey(*event);
}

TEST(EventKeyTest, OnlyRecurringKeysCompareTheirOccurrence) {
    struct Case {
        const char* name;
        EventKey first, second;
        bool equal;
    };
    const Case cases[] = {
        {"single, dates ignored", key(u"a"_s, 0, false), key(u"a"_s, 1, false), true},
        {"recurring, same occurrence", key(u"a"_s, 7, true), key(u"a"_s, 7, true), true},
        {"recurring, other occurrence", key(u"a"_s, 7, true), key(u"a"_s, 14, true), false},
        {"recurring against single", key(u"a"_s, 7, false), key(u"a"_s, 7, true), false},
        {"other uid", key(u"a"_s, 0, false), key(u"b"_s, 0, false), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.first == c.second, c.equal) << c.name;
        EXPECT_EQ(c.second == c.first, c.equal) << c.name;
        EXPECT_EQ(qHash(c.first) == qHash(c.second), c.equal) << c.name;
    }
}

} // namespace
