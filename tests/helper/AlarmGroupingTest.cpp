// Whether the rest of the minute comes along with the alarms due at 09:00:20 (UTC).
#include "helper/AlarmGrouping.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(const QByteArray& time) {
    return QDateTime::fromString(QString::fromLatin1("2026-06-10T" + time + 'Z'), Qt::ISODateWithMs);
}

// "09:00:00 09:00:30run 09:00:40ro": "run" marks a run-program alarm, "ro" one in a read-only calendar.
QList<PendingAlarm> alarmsAt(const char* times) {
    QList<PendingAlarm> alarms;
    for (const QByteArray& word : QByteArray(times).split(' ')) {
        PendingAlarm& alarm = alarms.emplace_back();
        alarm.trigger = at(word.left(8));
        alarm.action = word.endsWith("run") || word.endsWith("ro") ? CalAlarm::Procedure : CalAlarm::Display;
        alarm.calendarEditable = !word.endsWith("ro");
    }
    return alarms;
}

TEST(AlarmGroupingTest, TheRestOfAMinuteComesAlongOnlyInABurst) {
    // Three in the minute: those before and after it do not count, nor run-program alarms that may run.
    const QList<PendingAlarm> planned = alarmsAt("08:59:59 09:00:00 09:00:30run 09:00:40 09:01:00");
    const QList<PendingAlarm> three = alarmsAt("09:00:50");
    EXPECT_EQ(AlarmGrouping::dueUntil(at("09:00:20"), {&planned, &three}), at("09:00:20"));
    const QList<PendingAlarm> four = alarmsAt("09:00:50 09:00:59");
    EXPECT_EQ(AlarmGrouping::dueUntil(at("09:00:20"), {&planned, &four}), at("09:00:59.999"));
    // One of a read-only calendar is only ever shown, so it counts.
    const QList<PendingAlarm> readOnly = alarmsAt("09:00:50 09:00:51ro");
    EXPECT_EQ(AlarmGrouping::dueUntil(at("09:00:20"), {&planned, &readOnly}), at("09:00:59.999"));
}

} // namespace
