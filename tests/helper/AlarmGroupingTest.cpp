// Whether the rest of the minute comes along with the alarms due at 09:00:20 (UTC).
#include "helper/AlarmGrouping.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(const QByteArray& time) {
    return QDateTime(QDate(2026, 6, 10), QTime::fromString(QString::fromLatin1(time), Qt::ISODateWithMs),
                     Qt::UTC);
}

// "09:00:00 09:00:30run": "run" marks a run-program alarm.
QList<PendingAlarm> alarmsAt(const char* times) {
    QList<PendingAlarm> alarms;
    for (const QByteArray& word : QByteArray(times).split(' ')) {
        PendingAlarm& alarm = alarms.emplace_back();
        alarm.trigger = at(word.left(8));
        alarm.action = word.endsWith("run") ? CalAlarm::Procedure : CalAlarm::Display;
    }
    return alarms;
}

TEST(AlarmGroupingTest, TheRestOfAMinuteComesAlongOnlyInABurst) {
    const auto until = [](const char* planned, const char* snoozed) {
        const QList<PendingAlarm> fromStore = alarmsAt(planned);
        const QList<PendingAlarm> putOff = alarmsAt(snoozed);
        return AlarmGrouping::dueUntil(at("09:00:20"), {&fromStore, &putOff});
    };
    EXPECT_EQ(until("09:00:00 09:00:30", "09:00:40 09:00:59"), at("09:00:59.999"));
    // Three in the minute: those before and after it do not count, nor run-program alarms.
    EXPECT_EQ(until("08:59:59 09:00:00 09:00:30 09:00:50 09:01:00", "09:02:00"), at("09:00:20"));
    EXPECT_EQ(until("09:00:00 09:00:30run 09:00:40 09:00:50", "09:00:40run"), at("09:00:20"));
}

} // namespace
