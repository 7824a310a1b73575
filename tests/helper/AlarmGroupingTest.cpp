// Whether the rest of the minute comes along with the alarms due at 09:00:20 (UTC).
#include "helper/AlarmGrouping.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(const QByteArray& time) {
    return QDateTime::fromString(QString::fromLatin1("2026-06-10T" + time + 'Z'), Qt::ISODateWithMs);
}

// "09:00:00 09:00:30run": "run" marks a run-program alarm whose program runs, unseen.
QList<PendingAlarm> alarmsAt(const char* times) {
    QList<PendingAlarm> alarms;
    for (const QByteArray& word : QByteArray(times).split(' ')) {
        PendingAlarm& alarm = alarms.emplace_back();
        alarm.trigger = at(word.left(8));
        alarm.action = word.endsWith("run") ? CalAlarm::Procedure : CalAlarm::Display;
    }
    return alarms;
}

bool shown(const PendingAlarm& alarm) {
    return alarm.action != CalAlarm::Procedure;
}

TEST(AlarmGroupingTest, TheRestOfAMinuteComesAlongOnlyInABurst) {
    // Three in the minute: those before and after it do not count, nor programs that run unseen.
    const QList<PendingAlarm> planned = alarmsAt("08:59:59 09:00:00 09:00:30run 09:00:40 09:01:00");
    const QList<PendingAlarm> three = alarmsAt("09:00:50");
    EXPECT_EQ(AlarmGrouping::dueUntil(at("09:00:20"), {&planned, &three}, shown), at("09:00:20"));
    const QList<PendingAlarm> four = alarmsAt("09:00:50 09:00:59");
    EXPECT_EQ(AlarmGrouping::dueUntil(at("09:00:20"), {&planned, &four}, shown), at("09:00:59.999"));
}

} // namespace
