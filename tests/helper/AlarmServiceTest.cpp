// Alarms delivered through a real store on a temporary folder and the session bus, with a stand-in for
// the notification server. Triggers are a few seconds ahead, so each test waits that long.
#include "helper/AlarmService.h"
#include "DateEnvironmentGuard.h"
#include "EventLoopWait.h"

#include "dates/DateFormatter.h"
#include "editing/SoundPlayer.h"
#include "store/ProgramAlarmApprovals.h"
#include "store/vdir/OnDemandCalendarStore.h"
#include "store/vdir/VdirCalendarStore.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The sounds asked for, since nobody listens in a test.
class RecordingSoundPlayer : public SoundPlayer {
public:
    bool play(const QString& name) override {
        played.append(name);
        return true;
    }
    void beep() override { played.append(u"beep"_s); }
    QStringList played;
};

// A whole second a few seconds from now, as an event file can hold it.
QDateTime secondsAhead(int seconds) {
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + seconds, Qt::UTC);
}

QByteArray utcText(const QDateTime& moment) {
    return moment.toUTC().toString(u"yyyyMMdd'T'HHmmss'Z'"_s).toLatin1();
}

class AlarmServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "no session bus (scripts/test runs the tests under dbus-run-session)";
        QDir(m_root.path()).mkpath(u"calendars/home"_s);
        QFile title(calendarFolder() + u"/displayname"_s);
        ASSERT_TRUE(title.open(QIODevice::WriteOnly));
        title.write("Home");
        title.close();
        // As the helper keeps it: open only while asked, here closing sooner.
        m_store = std::make_unique<OnDemandCalendarStore>(m_root.filePath(u"calendars"_s),
                                                          std::chrono::milliseconds(300));
        m_server.start(QStringLiteral(STAND_IN_BINARY), {recordFile()});
        ASSERT_TRUE(waitFor(
            [] {
                return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                    u"org.freedesktop.Notifications"_s);
            },
            5000))
            << "the stand-in did not take the notification server's name";
    }
    void TearDown() override {
        m_service.reset();
        m_server.kill();
        m_server.waitForFinished();
    }

    QString calendarFolder() const { return m_root.filePath(u"calendars/home"_s); }
    QString recordFile() const { return m_root.filePath(u"notifications.jsonl"_s); }
    QString stateFile() const { return m_root.filePath(u"state/helper-state.json"_s); }

    AlarmService& startService(const QString& state = QString()) {
        m_service = std::make_unique<AlarmService>(*m_store, m_sounds, m_formatter,
                                                   state.isEmpty() ? stateFile() : state, m_approvals);
        m_service->start();
        return *m_service;
    }

    std::shared_ptr<CalAlarm> alarmAtStart(CalAlarm::Action action = CalAlarm::Display) const {
        auto alarm = CalAlarm::alarm();
        alarm->setAction(action);
        alarm->setRelativeTrigger(0);
        return alarm;
    }
    void save(const QString& uid, const QString& title, const QDateTime& start,
              QList<std::shared_ptr<CalAlarm>> alarms, std::shared_ptr<CalRecurrenceRule> rule = nullptr) {
        auto event = CalEvent::event();
        event->uid = uid;
        event->title = title;
        event->startDate = start;
        event->endDate = start.addSecs(1800);
        event->calendar = m_store->calendarWithUID(u"home"_s);
        event->alarms = std::move(alarms);
        event->recurrenceRule = std::move(rule);
        EXPECT_EQ(m_store->saveEvent(*event, CalSpan::AllEvents), std::nullopt);
    }
    // As the editor does when the user chose the alarm's program there.
    void approve(const QString& uid, const QString& calendarUid = u"home"_s) {
        const auto calendar = m_store->calendarWithUID(calendarUid);
        ASSERT_TRUE(calendar);
        for (const auto& event : m_store->events(QDateTime::currentDateTimeUtc().addDays(-1),
                                                 QDateTime::currentDateTimeUtc().addDays(1), {calendar})) {
            if (event->uid != uid)
                continue;
            for (const auto& alarm : event->alarms)
                ASSERT_TRUE(m_approvals.approve(*event, *alarm));
        }
    }
    // A script that adds its argument as a line to `counter` at every run.
    QString countingScript(const QString& counter) const {
        const QString script = m_root.filePath(u"count runs.sh"_s);
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + counter.toUtf8() + "'\n");
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return script;
    }
    static QByteArray programAlarmEvent(const QString& uid, const QDateTime& start, const QString& program,
                                        const QByteArray& argument) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Test//EN\r\nBEGIN:VEVENT\r\nUID:" +
               uid.toUtf8() + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + utcText(start) +
               "\r\nDTEND:" + utcText(start.addSecs(1800)) + "\r\nSUMMARY:" + uid.toUtf8() +
               "\r\nBEGIN:VALARM\r\nACTION:PROCEDURE\r\nATTACH:" + QUrl::fromLocalFile(program).toEncoded() +
               "\r\nDESCRIPTION:" + argument +
               "\r\nTRIGGER:PT0S\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    }
    void writeFile(const QString& path, const QByteArray& text) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    // What another program writes: an event with one message alarm at its start.
    void writeOnDisk(const QString& uid, const QByteArray& title, const QDateTime& start) const {
        QFile file(calendarFolder() + u'/' + uid + u".ics"_s);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Test//EN\r\nBEGIN:VEVENT\r\nUID:" +
                   uid.toUtf8() + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + utcText(start) +
                   "\r\nDTEND:" + utcText(start.addSecs(1800)) + "\r\nSUMMARY:" + title +
                   "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:PT0S\r\nEND:VALARM\r\n"
                   "END:VEVENT\r\nEND:VCALENDAR\r\n");
    }

    // The Notify calls the stand-in received, in order.
    QList<QJsonObject> notifies() const {
        QList<QJsonObject> result;
        QFile file(recordFile());
        if (!file.open(QIODevice::ReadOnly))
            return result;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QJsonObject call = QJsonDocument::fromJson(line).object();
            if (call.value("method"_L1).toString() == "Notify"_L1)
                result.append(call);
        }
        return result;
    }
    QStringList notifiedTitles() const {
        QStringList titles;
        for (const QJsonObject& call : notifies())
            titles.append(call.value("summary"_L1).toString());
        return titles;
    }
    bool waitForNotifies(qsizetype count, int ms) const {
        return waitFor([&] { return notifies().size() >= count; }, ms);
    }
    static qint64 lateness(const QJsonObject& call, const QDateTime& trigger) {
        return qint64(call.value("at"_L1).toDouble()) - trigger.toMSecsSinceEpoch();
    }
    // A click on one of the notification's buttons.
    static void click(const QJsonObject& call, const QString& action) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s,
            u"org.freedesktop.Notifications"_s, u"InvokeAction"_s);
        message << uint(call.value("id"_L1).toInt()) << action;
        QDBusConnection::sessionBus().call(message);
    }

    DateEnvironmentGuard m_environment{u"Europe/Berlin"_s};
    QTemporaryDir m_root;
    std::unique_ptr<OnDemandCalendarStore> m_store;
    QProcess m_server;
    RecordingSoundPlayer m_sounds;
    DateFormatter m_formatter;
    ProgramAlarmApprovals m_approvals{m_root.filePath(u"state/program-alarms.json"_s)};
    std::unique_ptr<AlarmService> m_service;
};

TEST_F(AlarmServiceTest, AnAlarmNotifiesOnceAtItsTriggerAndASoundAlarmPlaysItsSound) {
    const QDateTime start = secondsAhead(2);
    save(u"standup"_s, u"Standup"_s, start, {alarmAtStart()});
    auto sound = alarmAtStart();
    sound->setSound(u"bell"_s);
    save(u"tea"_s, u"Tea"_s, start, {sound});
    startService();

    ASSERT_TRUE(waitForNotifies(2, 5000)) << notifiedTitles().join(u", ").toStdString();
    spin(1000); // nothing more comes
    const QList<QJsonObject> calls = notifies();
    ASSERT_EQ(calls.size(), 2);
    const QJsonObject standup = calls[0].value("summary"_L1).toString() == u"Standup"_s ? calls[0] : calls[1];
    EXPECT_LE(std::abs(lateness(standup, start)), 1000);
    EXPECT_EQ(standup.value("app"_L1).toString(), u"Verdalune"_s);
    EXPECT_TRUE(standup.value("body"_L1).toString().contains(u"Home"_s));
    EXPECT_TRUE(standup.value("body"_L1).toString().contains(
        m_formatter.timeDescription12hNoMeridium(CalendarDate::fromQDateTime(start))));
    EXPECT_EQ(standup.value("actions"_L1).toArray(), QJsonArray({"open", "Open", "snooze", "Snooze 5 min"}));
    EXPECT_EQ(m_sounds.played, QStringList{u"bell"_s});
}

TEST_F(AlarmServiceTest, AnEventMovedByAnotherProgramIsRescheduledAndARemovedOneCancelled) {
    const QDateTime start = secondsAhead(3);
    save(u"moved"_s, u"Moved"_s, start, {alarmAtStart()});
    save(u"removed"_s, u"Removed"_s, start, {alarmAtStart()});
    startService();
    ASSERT_TRUE(waitFor([&] { return !m_store->isOpen(); }, 2000)); // the changes arrive while closed
    const QDateTime later = start.addSecs(2);
    writeOnDisk(u"moved"_s, "Moved", later);
    ASSERT_TRUE(QFile::remove(calendarFolder() + u"/removed.ics"_s));

    ASSERT_TRUE(waitForNotifies(1, 7000));
    spin(1000);
    const QList<QJsonObject> calls = notifies();
    ASSERT_EQ(notifiedTitles(), QStringList{u"Moved"_s});
    EXPECT_LE(std::abs(lateness(calls[0], later)), 1000);
}

TEST_F(AlarmServiceTest, WhatFiredDoesNotFireAgainAfterARestart) {
    save(u"once"_s, u"Once"_s, secondsAhead(1), {alarmAtStart()});
    startService();
    ASSERT_TRUE(waitForNotifies(1, 4000));

    startService(); // the same state file
    spin(1500);
    EXPECT_EQ(notifies().size(), 1);
    // Without what the first run wrote down it is a missed alarm, which fires.
    startService(m_root.filePath(u"other-state.json"_s));
    EXPECT_TRUE(waitForNotifies(2, 3000));
}

TEST_F(AlarmServiceTest, AMissedAlarmFiresOnceWithinTheHourAndNeverLater) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    save(u"late"_s, u"Half an hour late"_s, now.addSecs(-1800), {alarmAtStart()});
    save(u"too-late"_s, u"Two hours late"_s, now.addSecs(-7200), {alarmAtStart()});
    // Before the start, for an event that has not begun.
    auto before = alarmAtStart();
    before->setRelativeTrigger(-3600);
    save(u"ahead"_s, u"Reminded early"_s, now.addSecs(1800), {before});
    startService();

    ASSERT_TRUE(waitForNotifies(2, 3000));
    spin(1000);
    QStringList titles = notifiedTitles();
    titles.sort();
    EXPECT_EQ(titles, QStringList({u"Half an hour late"_s, u"Reminded early"_s}));
}

TEST_F(AlarmServiceTest, SnoozeFiresAgainAndOpenAsksForTheOccurrence) {
    // A daily series: yesterday's alarm is a day late and dropped, today's fires.
    const QDateTime today = secondsAhead(1);
    save(u"daily"_s, u"Daily call"_s, today.addDays(-1), {alarmAtStart()},
         CalRecurrenceRule::rule(CalRecurrenceRule::Daily));
    AlarmService& service = startService();
    service.setSnoozeDelay(std::chrono::milliseconds(1000));
    QSignalSpy opened(&service, &AlarmService::openRequested);

    ASSERT_TRUE(waitForNotifies(1, 4000));
    click(notifies()[0], u"snooze"_s);
    const QDateTime snoozed = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(waitForNotifies(2, 4000));
    const QJsonObject again = notifies()[1];
    EXPECT_EQ(again.value("summary"_L1).toString(), u"Daily call"_s);
    EXPECT_GE(lateness(again, snoozed), 900);

    click(again, u"open"_s);
    ASSERT_TRUE(waitFor([&] { return !opened.isEmpty(); }, 2000));
    EXPECT_EQ(opened[0][0].toString(), u"daily"_s);
    EXPECT_EQ(opened[0][1].toDateTime(), today);
    spin(500);
    EXPECT_EQ(notifies().size(), 2);
}

TEST_F(AlarmServiceTest, ARunProgramAlarmHandsItsArgumentOverUntouched) {
    const QString output = m_root.filePath(u"argv.txt"_s);
    const QString script = m_root.filePath(u"record argv.sh"_s);
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + output.toUtf8() + "'\n");
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
    const QString argument = u"it's $HOME; \"quoted\" `id` & more"_s;
    auto run = alarmAtStart(CalAlarm::Procedure);
    run->setUrl(QUrl::fromLocalFile(script));
    run->setProcedureArguments(argument);
    // A program that is not on this machine is not fetched and run; the user is told instead.
    auto remote = alarmAtStart(CalAlarm::Procedure);
    remote->setUrl(QUrl(u"ftp://example.org/run.exe"_s));
    const QDateTime start = secondsAhead(1);
    save(u"run"_s, u"Backup"_s, start, {run});
    save(u"remote"_s, u"Remote"_s, start, {remote});
    approve(u"run"_s);
    approve(u"remote"_s);
    startService();

    ASSERT_TRUE(waitFor([&] { return QFile(output).size() > 0; }, 4000));
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), u"1\n"_s + argument + u'\n');
    ASSERT_TRUE(waitForNotifies(1, 2000));
    spin(500);
    ASSERT_EQ(notifiedTitles(), QStringList{u"Remote"_s});
    EXPECT_TRUE(notifies()[0].value("body"_L1).toString().contains(u"ftp://example.org/run.exe"_s));
}

// A calendar file comes from a server, a subscription or a mail: the program it names runs only when
// the user chose it here, and the user is told of any other.
TEST_F(AlarmServiceTest, AProgramAlarmRunsOnlyWhereTheUserChoseItHere) {
    const QString counter = m_root.filePath(u"runs.txt"_s);
    const QString script = countingScript(counter);
    const QDateTime start = secondsAhead(2);
    QDir(m_root.path()).mkpath(u"calendars/subscribed"_s);
    writeFile(m_root.filePath(u"calendars/subscribed/readonly"_s), {});
    writeFile(m_root.filePath(u"calendars/subscribed/feed.ics"_s),
              programAlarmEvent(u"subscribed"_s, start, script, "subscribed"));
    auto chosen = alarmAtStart(CalAlarm::Procedure);
    chosen->setUrl(QUrl::fromLocalFile(script));
    chosen->setProcedureArguments(u"chosen"_s);
    save(u"chosen"_s, u"chosen"_s, start, {chosen});
    approve(u"chosen"_s);
    auto edited = chosen->copy();
    edited->setProcedureArguments(u"edited"_s);
    save(u"edited"_s, u"edited"_s, start, {edited});
    approve(u"edited"_s);
    // Another program puts a new argument beside the approved program.
    writeFile(calendarFolder() + u"/edited.ics"_s, programAlarmEvent(u"edited"_s, start, script, "changed"));
    writeFile(calendarFolder() + u"/synced.ics"_s, programAlarmEvent(u"synced"_s, start, script, "synced"));
    VdirCalendarStore importer(m_root.filePath(u"calendars"_s));
    ASSERT_EQ(
        importer.importCalendarText(u"home"_s, programAlarmEvent(u"imported"_s, start, script, "imported"))
            .importedUids,
        QStringList{u"imported"_s});
    approve(u"subscribed"_s, u"subscribed"_s); // even so: a read-only calendar runs nothing
    startService();

    ASSERT_TRUE(waitForNotifies(4, 5000));
    spin(1000);
    QFile runs(counter);
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    EXPECT_EQ(runs.readAll(), QByteArray("chosen\n"));
    QStringList titles = notifiedTitles();
    titles.sort();
    EXPECT_EQ(titles, (QStringList{u"edited"_s, u"imported"_s, u"subscribed"_s, u"synced"_s}));
    for (const QJsonObject& call : notifies()) {
        const QString body = call.value("body"_L1).toString();
        EXPECT_TRUE(body.contains(u"This reminder asks to run "_s + script)) << body.toStdString();
        EXPECT_TRUE(body.contains(call.value("summary"_L1).toString() == "subscribed"_L1
                                      ? u"because its calendar is read-only"_s
                                      : u"because it was not set up on this computer"_s))
            << body.toStdString();
    }
}

} // namespace
