// An event shown in the command field is written as a line of the entry language; typing Return on that
// line unchanged must give back the same event. This holds for events in the coming week.
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "entry/CalEventBuilder.h"
#include "entry/ParsingController.h"

#include "DateEnvironmentGuard.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

struct Scenario {
    const char* zone;
    int timeMode;
    CalendarDate (*now)();
};

class RoundTrip : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        m_environment = std::make_unique<DateEnvironmentGuard>(QString::fromLatin1(GetParam().zone));
        auto formatter = std::make_shared<DateFormatter>();
        formatter->setLocale(QStringLiteral("en_US"));
        formatter->setTimeModeHours(GetParam().timeMode);
        m_description = std::make_unique<EventDescription>(formatter);
        m_now = GetParam().now();
    }

    // Applies `line` to `event` as the editor does: to a copy, of which five fields are taken.
    std::shared_ptr<CalEvent> reparse(const CalEvent& event, const QString& line, const CalendarDate& now) {
        const std::optional<ParseTreeNode> tree = m_controller.parseEvent(line);
        if (!tree)
            return nullptr;
        auto result = event.copy();
        m_builder.updateEvent(*result, *tree, now);
        return result;
    }

    void expectRoundTrip(const CalEvent& event) {
        const QString line = m_description->descriptionOfEvent(event, m_now);
        auto base = event.copy();
        // The line carries the dates; a base with other dates shows that they are not merely kept.
        base->startDate = base->startDate.addDays(-40);
        base->endDate = base->startDate.addSecs(event.startDate.secsTo(event.endDate));
        base->title = QStringLiteral("previous title");
        const std::shared_ptr<CalEvent> parsed = reparse(*base, line, m_now);
        ASSERT_TRUE(parsed) << "not understood: " << line.toStdString();
        EXPECT_EQ(parsed->startDate, event.startDate) << line.toStdString();
        EXPECT_EQ(parsed->endDate, event.endDate) << line.toStdString();
        EXPECT_EQ(parsed->isAllDay, event.isAllDay) << line.toStdString();
        EXPECT_EQ(parsed->title, event.title) << line.toStdString();
    }

    std::unique_ptr<DateEnvironmentGuard> m_environment;
    std::unique_ptr<EventDescription> m_description;
    CalendarDate m_now;
    ParsingController m_controller;
    CalEventBuilder m_builder;
};

void timedEvent(CalEvent& event, const CalendarDate& start, int lengthMinutes, const QString& title) {
    event.startDate = start.toQDateTime();
    event.endDate = start.addingSeconds(lengthMinutes * 60.0).toQDateTime();
    event.isAllDay = false;
    event.title = title;
}

// A clock time that occurs twice (the hour the clocks go back) cannot say which of the two it means.
bool isRepeatedClockTime(const CalendarDate& date) {
    return CalendarDate::dateWithDate(date, date.timeOfDay()) != date;
}

const QStringList TITLES{"lunch", "Dentist appointment", "café 🎉", "קפה עם דנה"};

TEST_P(RoundTrip, TimedEventsOfTheComingWeek) {
    const int lengths[] = {0, 30, 60, 150, 23 * 60, 24 * 60, 25 * 60, 3 * 24 * 60 + 10};
    CalEvent event;
    int made = 0;
    int skipped = 0;
    // Every 50 minutes over the week, so that starts fall on every hour and on odd minutes.
    for (int minutes = 1; minutes < 7 * 24 * 60; minutes += 50) {
        const CalendarDate start = m_now.addingSeconds(minutes * 60.0);
        for (int length : lengths) {
            timedEvent(event, start, length, TITLES[made++ % TITLES.size()]);
            if (isRepeatedClockTime(start) ||
                isRepeatedClockTime(CalendarDate::fromQDateTime(event.endDate))) {
                ++skipped;
                continue;
            }
            expectRoundTrip(event);
        }
    }
    // Only events starting or ending in the one repeated hour may be left out: at most two starts
    // (one every 50 minutes) and two ends per length fall into it.
    EXPECT_LE(skipped, 4 * int(std::size(lengths)));
}

TEST_P(RoundTrip, AllDayEventsOfTheComingWeek) {

    CalEvent event;
    for (int day = 1; day < 7; ++day) {
        for (int days : {1, 2, 3, 9}) {
            const CalendarDate first = m_now.truncateToDay().dateByAddingDays(day);
            event.startDate = first.toQDateTime();
            event.endDate = first.dateByAddingDays(days).toQDateTime();
            event.isAllDay = true;
            event.title = TITLES[(day + days) % TITLES.size()];
            expectRoundTrip(event);
        }
    }
}

// 2026-06-10 is a Wednesday; 2026-03-05 10:00 in New York is three days before the clocks go forward,
// and 2026-10-22 in Berlin three days before they go back.
CalendarDate june10() {
    return CalendarDate::fromComponents(2026, 6, 10, 10, 0, 0);
}
CalendarDate beforeSpringForward() {
    return CalendarDate::fromComponents(2026, 3, 5, 10, 17, 0);
}
CalendarDate beforeFallBack() {
    return CalendarDate::fromComponents(2026, 10, 22, 23, 40, 0);
}

INSTANTIATE_TEST_SUITE_P(Zones, RoundTrip,
                         ::testing::Values(Scenario{"America/New_York", 12, june10},
                                           Scenario{"America/New_York", 24, beforeSpringForward},
                                           Scenario{"Europe/Berlin", 12, beforeSpringForward},
                                           Scenario{"Europe/Berlin", 24, beforeFallBack},
                                           Scenario{"Asia/Kolkata", 24, june10}));

} // namespace
