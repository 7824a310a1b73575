// The helper's memory of fired alarms and what a run-program alarm may run: both read what others can
// write (the state file, an event file's program), so damage and strange values are tried here.
#include "helper/FiredAlarmLog.h"
#include "helper/AlarmProgram.h"

#include "HostileFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

PendingAlarm alarmAt(const QDateTime& trigger, bool absolute = false) {
    PendingAlarm alarm;
    alarm.uid = u"standup"_s;
    alarm.occurrenceStart = trigger.addSecs(600);
    alarm.trigger = trigger;
    alarm.absolute = absolute;
    return alarm;
}

TEST(FiredAlarmLogTest, AnOccurrencesAlarmFiresAgainOnlyWhenMovedBeyondTheMomentItFired) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"state/verdalune/helper-state.json"_s);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    PendingAlarm old = alarmAt(now.addDays(-3));
    old.uid = u"retro"_s;
    const PendingAlarm recent = alarmAt(now.addSecs(-60));
    ASSERT_TRUE(FiredAlarmLog(path).record({old}, old.trigger));
    ASSERT_TRUE(FiredAlarmLog(path).record({recent}, now));

    const FiredAlarmLog reread(path);
    EXPECT_TRUE(reread.contains(recent));
    EXPECT_FALSE(reread.contains(old)) << "forgotten after two days";
    const auto movedBy = [&](qint64 seconds) {
        PendingAlarm moved = recent;
        moved.trigger = recent.trigger.addSecs(seconds);
        moved.occurrenceStart = recent.occurrenceStart.addSecs(seconds);
        return moved;
    };
    EXPECT_TRUE(reread.contains(movedBy(-300))) << "nudged within the past";
    EXPECT_TRUE(reread.contains(movedBy(50))) << "up to the moment it fired";
    EXPECT_FALSE(reread.contains(movedBy(3600))) << "moved into the future beyond it";
    PendingAlarm nextOccurrence = recent;
    nextOccurrence.occurrence = recent.occurrenceStart.addDays(1);
    EXPECT_FALSE(reread.contains(nextOccurrence));
    // A fixed moment fires once for the whole series, whichever occurrence it was found with.
    PendingAlarm absolute = alarmAt(now.addSecs(-30), true);
    ASSERT_TRUE(FiredAlarmLog(path).record({absolute}, now));
    absolute.occurrence = absolute.occurrenceStart.addDays(7);
    EXPECT_TRUE(FiredAlarmLog(path).contains(absolute));
}

TEST(FiredAlarmLogTest, ADamagedStateFileReadsAsEmptyAndIsReplaced) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"helper-state.json"_s);
    for (const QByteArray& damage :
         {QByteArray("{\"fired\": [{\"uid\": 3"), QByteArray("[1, 2]"), QByteArray("\xff\xfe garbage"),
          QByteArray("{\"fired\": [{\"uid\": \"standup\", \"trigger\": \"not a date\"}, 7]}")}) {
        ASSERT_TRUE(writeFile(path, damage));
        const QDateTime now = QDateTime::currentDateTimeUtc();
        FiredAlarmLog log(path);
        EXPECT_FALSE(log.contains(alarmAt(now))) << damage.toStdString();
        ASSERT_TRUE(log.record({alarmAt(now)}, now));
        EXPECT_TRUE(FiredAlarmLog(path).contains(alarmAt(now)));
    }
}

class FiredAlarmLogHostileTest : public ::testing::TestWithParam<HostileKind> {};

TEST_P(FiredAlarmLogHostileTest, WhatElseIsAtItsPathIsNotReadAndIsReplacedWithoutHarm) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"state/verdalune/helper-state.json"_s);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const bool writable = GetParam() != HostileKind::Directory;
    ASSERT_TRUE(withstands(GetParam(), path, FiredAlarmLog::MAX_FILE_SIZE + 1, [&] {
        FiredAlarmLog log(path);
        return !log.contains(alarmAt(now)) && log.record({alarmAt(now)}, now) == writable;
    }));
    EXPECT_EQ(FiredAlarmLog(path).contains(alarmAt(now)), writable);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FiredAlarmLogHostileTest, ::testing::ValuesIn(ALL_HOSTILE_KINDS),
                         hostileTestName);

TEST(FiredAlarmLogTest, TheStateFileLivesInTheUsersStateFolder) {
    const QByteArray saved = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", "/tmp/state");
    EXPECT_EQ(FiredAlarmLog::defaultPath(), u"/tmp/state/verdalune/helper-state.json"_s);
    for (const char* unusable : {"", "relative/state"}) {
        qputenv("XDG_STATE_HOME", unusable);
        EXPECT_EQ(FiredAlarmLog::defaultPath(),
                  QDir::homePath() + u"/.local/state/verdalune/helper-state.json"_s);
    }
    qputenv("XDG_STATE_HOME", saved);
}

TEST(AlarmProgramTest, OnlyProgramsOnThisMachineAreRun) {
    EXPECT_EQ(AlarmProgram::localPath(QUrl(u"file:///usr/bin/backup%20tool"_s)), u"/usr/bin/backup tool"_s);
    EXPECT_EQ(AlarmProgram::localPath(QUrl(u"file://localhost/usr/bin/true"_s)), u"/usr/bin/true"_s);
    EXPECT_EQ(AlarmProgram::localPath(QUrl(u"/usr/bin/true"_s)), u"/usr/bin/true"_s);
    for (const QString& elsewhere :
         {u"ftp://host.com/novo-procs/felizano.exe"_s, u"https://example.org/x.sh"_s,
          u"file://otherhost/usr/bin/true"_s, u"bin/true"_s, QString()})
        EXPECT_EQ(AlarmProgram::localPath(QUrl(elsewhere)), QString()) << elsewhere.toStdString();
    EXPECT_FALSE(AlarmProgram::run(QUrl(u"https://example.org/x.sh"_s), QString()));
}

} // namespace
