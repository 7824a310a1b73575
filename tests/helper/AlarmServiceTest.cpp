// Alarms delivered through a real store on a temporary folder and the session bus, with a stand-in for
// the notification server. Triggers are a few seconds ahead, so each test waits that long, or minutes
// behind, missed and so due at the start.
#include "helper/AlarmService.h"
#include "DateEnvironmentGuard.h"
#include "EventLoopWait.h"
#include "TestFiles.h"

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
        ASSERT_TRUE(writeFile(calendarFolder() + u"/displayname"_s, "Home"));
        // As the helper keeps it: open only while asked, here closing sooner.
        m_store = std::make_unique<OnDemandCalendarStore>(m_root.filePath(u"calendars"_s),
                                                          std::chrono::milliseconds(300));
        startServer();
    }
    // `faults`: how many notifications the server refuses, then how many it leaves unanswered.
    void startServer(const QStringList& faults = {}) {
        const auto onBus = [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                u"org.freedesktop.Notifications"_s);
        };
        m_server.kill();
        m_server.waitForFinished();
        ASSERT_TRUE(waitFor([&] { return !onBus(); }, 5000));
        m_server.start(QStringLiteral(STAND_IN_BINARY), QStringList{recordFile()} + faults);
        ASSERT_TRUE(waitFor(onBus, 5000)) << "the stand-in did not take the notification server's name";
    }
    void TearDown() override {
        m_service.reset();
        m_server.kill();
        m_server.waitForFinished();
    }

    QString calendarFolder() const { return m_root.filePath(u"calendars/home"_s); }
    QString recordFile() const { return m_root.filePath(u"notifications.jsonl"_s); }
    QString stateFile() const { return m_root.filePath(u"state/helper-state.json"_s); }

    AlarmService& startService(const QString& state = QString(),
                               std::chrono::milliseconds callTimeout = DesktopNotifications::CALL_TIMEOUT) {
        m_service = std::make_unique<AlarmService>(*m_store, m_sounds, m_formatter,
                                                   state.isEmpty() ? stateFile() : state, m_approvals);
        m_service->setNotificationPatience(callTimeout, RETRY_DELAY);
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
              QList<std::shared_ptr<CalAlarm>> alarms, std::shared_ptr<CalRecurrenceRule> rule = nullptr,
              const QString& location = {}, const QString& notes = {}) {
        auto event = CalEvent::event();
        event->uid = uid;
        event->title = title;
        event->location = location;
        event->notes = notes;
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
        EXPECT_TRUE(writeScript(script, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + counter.toUtf8() + "'\n"));
        return script;
    }
    // What another program writes: an event with one alarm, of these lines and a trigger, at its start.
    static QByteArray eventText(const QString& uid, const QByteArray& title, const QDateTime& start,
                                const QByteArray& alarm) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Test//EN\r\nBEGIN:VEVENT\r\nUID:" +
               uid.toUtf8() + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" + utcText(start) +
               "\r\nDTEND:" + utcText(start.addSecs(1800)) + "\r\nSUMMARY:" + title + "\r\nBEGIN:VALARM\r\n" +
               alarm + "TRIGGER:PT0S\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    }
    static QByteArray programAlarmEvent(const QString& uid, const QDateTime& start, const QString& program,
                                        const QByteArray& argument) {
        return eventText(uid, uid.toUtf8(), start,
                         "ACTION:PROCEDURE\r\nATTACH:" + QUrl::fromLocalFile(program).toEncoded() +
                             "\r\nDESCRIPTION:" + argument + "\r\n");
    }
    void writeOnDisk(const QString& uid, const QByteArray& title, const QDateTime& start) const {
        ASSERT_TRUE(writeFile(calendarFolder() + u'/' + uid + u".ics"_s,
                              eventText(uid, title, start, "ACTION:DISPLAY\r\nDESCRIPTION:x\r\n")));
    }

    // Alarms in one minute three minutes ago, an event each; the minute.
    QDateTime writeBurst(int count) const {
        const qint64 minute = QDateTime::currentSecsSinceEpoch() / 60 * 60 - 180;
        for (int i = 0; i < count; ++i)
            writeOnDisk(u"burst-%1"_s.arg(i), "Burst",
                        QDateTime::fromSecsSinceEpoch(minute + i % 60, Qt::UTC));
        return QDateTime::fromSecsSinceEpoch(minute, Qt::UTC);
    }

    // The Notify calls the stand-in received, in order, shown or not.
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
    // The ids the client named in its calls of `method` to the server.
    QList<int> calls(const QString& method) const {
        QList<int> ids;
        QFile file(recordFile());
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n'))
                if (const QJsonObject call = QJsonDocument::fromJson(line).object();
                    call.value("method"_L1).toString() == method)
                    ids.append(call.value("id"_L1).toInt());
        return ids;
    }
    // One field of each, such as the server's "id" (0 when not shown).
    QStringList notifiedTitles(QLatin1String field = "summary"_L1) const {
        QStringList titles;
        for (const QJsonObject& call : notifies())
            titles.append(call.value(field).toVariant().toString());
        return titles;
    }
    // Whether `count` came within `ms`; then `quiet` ms more, for what must not come after them.
    bool waitForNotifies(qsizetype count, int ms, int quiet = 0) const {
        const bool came = waitFor([&] { return notifies().size() >= count; }, ms);
        spin(quiet);
        return came;
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

    static constexpr std::chrono::milliseconds RETRY_DELAY{300};
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
    save(u"standup"_s, u"Standup"_s, start, {alarmAtStart()}, nullptr, u"Room <b>4</b>"_s,
         u"Bring the figures\nand the rest"_s);
    auto sound = alarmAtStart();
    sound->setSound(u"bell"_s);
    save(u"tea"_s, u"Tea"_s, start, {sound});
    startService();

    ASSERT_TRUE(waitForNotifies(2, 5000, 1000)) << notifiedTitles().join(u", ").toStdString();
    const QList<QJsonObject> calls = notifies();
    ASSERT_EQ(calls.size(), 2);
    const QJsonObject standup = calls[0].value("summary"_L1).toString() == u"Standup"_s ? calls[0] : calls[1];
    EXPECT_LE(std::abs(lateness(standup, start)), 1000);
    EXPECT_EQ(standup.value("app"_L1).toString(), u"Verdalune"_s);
    // The time, the calendar, the place and the first line of the notes, a line each; the stand-in reads
    // no markup, so the text stands as it is.
    const QStringList body = standup.value("body"_L1).toString().split(u'\n');
    ASSERT_EQ(body.size(), 4) << body.join(u'|').toStdString();
    EXPECT_TRUE(
        body[0].contains(m_formatter.timeDescription12hNoMeridium(CalendarDate::fromQDateTime(start))));
    EXPECT_EQ(body.mid(1), QStringList({u"Home"_s, u"Room <b>4</b>"_s, u"Bring the figures"_s}));
    // A click on the bubble opens it too; it stays until the user acts on it.
    EXPECT_EQ(standup.value("actions"_L1).toArray(),
              QJsonArray({"default", "Open", "open", "Open", "snooze", "Snooze 5 min"}));
    EXPECT_TRUE(standup.value("hints"_L1).toArray().contains("resident"_L1));
    EXPECT_EQ(standup.value("timeout"_L1).toInt(), 0);
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

    ASSERT_TRUE(waitForNotifies(1, 7000, 1000));
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

    ASSERT_TRUE(waitForNotifies(2, 3000, 1000));
    QStringList titles = notifiedTitles();
    titles.sort();
    EXPECT_EQ(titles, QStringList({u"Half an hour late"_s, u"Reminded early"_s}));
}

TEST_F(AlarmServiceTest, SnoozeFiresAgainAlsoAfterARestartAndOpenAsksForTheOccurrence) {
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
    // The resident bubble is taken away after the action.
    EXPECT_TRUE(waitFor(
        [&] { return calls(u"CloseNotification"_s).contains(notifies()[0].value("id"_L1).toInt()); }, 2000));
    // A restart before the snooze is up keeps it.
    m_service.reset();
    AlarmService& restarted = startService();
    QSignalSpy reopened(&restarted, &AlarmService::openRequested);
    ASSERT_TRUE(waitForNotifies(2, 4000));
    const QJsonObject again = notifies()[1];
    EXPECT_EQ(again.value("summary"_L1).toString(), u"Daily call"_s);
    EXPECT_GE(lateness(again, snoozed), 900);

    click(again, u"default"_s);
    ASSERT_TRUE(waitFor([&] { return !reopened.isEmpty(); }, 2000));
    EXPECT_EQ(reopened[0][0].toString(), u"daily"_s);
    EXPECT_EQ(reopened[0][1].toDateTime(), today);
    EXPECT_TRUE(opened.isEmpty());
    spin(500);
    EXPECT_EQ(notifies().size(), 2);
}

TEST_F(AlarmServiceTest, ABurstIsOneSummaryWithOneSoundAndTheNextMinuteIsShownApart) {
    const QDateTime burst = writeBurst(498);
    auto bell = alarmAtStart();
    bell->setSound(u"bell"_s);
    save(u"bell-1"_s, u"Bell"_s, burst, {bell});
    save(u"bell-2"_s, u"Bell"_s, burst.addSecs(59), {bell});
    save(u"next"_s, u"Next minute"_s, burst.addSecs(60), {alarmAtStart()});
    QSignalSpy opened(&startService(), &AlarmService::openRequested);

    ASSERT_TRUE(waitForNotifies(2, 5000, 300));
    ASSERT_EQ(notifiedTitles(), QStringList({u"500 reminders at "_s + m_formatter.timeDescriptionWithDate(
                                                                          CalendarDate::fromQDateTime(burst)),
                                             u"Next minute"_s}));
    const QJsonObject summary = notifies()[0];
    const QString body = summary.value("body"_L1).toString();
    EXPECT_TRUE(body.count(u'\n') == 5 && body.endsWith(u"\nand 495 more"_s)) << body.toStdString();
    EXPECT_EQ(summary.value("actions"_L1).toArray(), QJsonArray({"default", "Open", "open", "Open"}));
    EXPECT_TRUE(summary.value("hints"_L1).toArray().contains(u"suppress-sound"_s));
    EXPECT_EQ(m_sounds.played, QStringList{u"bell"_s});
    click(summary, u"open"_s);
    ASSERT_TRUE(waitFor([&] { return !opened.isEmpty(); }, 2000));
    EXPECT_EQ(opened[0][0].toString(), QString()); // the program, no event of the 500
}

TEST_F(AlarmServiceTest, AnAlarmIsShownOnTimeWhileTheServerHangsOnABurstThatIsThenTriedAgain) {
    startServer({u"0"_s, u"1"_s});
    writeBurst(10);
    const QDateTime next = secondsAhead(2);
    save(u"next"_s, u"Next"_s, next, {alarmAtStart()});
    startService(QString(), std::chrono::milliseconds(4000)); // waiting for it would make "Next" 2 s late

    ASSERT_TRUE(waitForNotifies(3, 8000));
    EXPECT_EQ(notifiedTitles("id"_L1), QStringList({u"0"_s, u"1"_s, u"2"_s}));
    const QList<QJsonObject> calls = notifies();
    EXPECT_EQ(calls[1].value("summary"_L1).toString(), u"Next"_s);
    EXPECT_LE(std::abs(lateness(calls[1], next)), 1000);
}

TEST_F(AlarmServiceTest, AtMostAFewCallsAwaitTheServerAtOnce) {
    startServer({u"0"_s, u"100"_s});
    for (int i = 1; i <= 10; ++i) // a minute apart: each shown on its own
        save(u"late-%1"_s.arg(i), u"Late"_s, secondsAhead(-60 * i), {alarmAtStart()});
    startService();
    spin(700);
    EXPECT_EQ(notifies().size(), DesktopNotifications::MOST_CALLS_IN_FLIGHT);
}

TEST_F(AlarmServiceTest, ARefusedNotificationIsTriedAgainAfterADelayThreeTimesInAll) {
    startServer({u"3"_s});
    save(u"late"_s, u"Late"_s, secondsAhead(-30), {alarmAtStart()});
    startService();

    ASSERT_TRUE(waitForNotifies(3, 3000, 2 * int(RETRY_DELAY.count())));
    EXPECT_EQ(notifiedTitles("id"_L1), QStringList({u"0"_s, u"0"_s, u"0"_s})); // and no fourth
    const QList<QJsonObject> calls = notifies(); // less the 5 % a coarse timer may take off
    EXPECT_GE(calls[1]["at"_L1].toDouble() - calls[0]["at"_L1].toDouble(), RETRY_DELAY.count() * 0.95);
}

TEST_F(AlarmServiceTest, ARunProgramAlarmHandsItsArgumentOverUntouched) {
    const QString output = m_root.filePath(u"argv.txt"_s);
    const QString script = m_root.filePath(u"record argv.sh"_s);
    ASSERT_TRUE(writeScript(script, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + output.toUtf8() + "'\n"));
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
    EXPECT_EQ(QString::fromUtf8(readFile(output)), u"1\n"_s + argument + u'\n');
    ASSERT_TRUE(waitForNotifies(1, 2000, 500));
    ASSERT_EQ(notifiedTitles(), QStringList{u"Remote"_s});
    EXPECT_TRUE(notifies()[0].value("body"_L1).toString().contains(u"ftp://example.org/run.exe"_s));
}

// A calendar file comes from a server, a subscription or a mail: the program it names runs only when
// the user chose it here, and the user is told of any other.
TEST_F(AlarmServiceTest, AProgramAlarmRunsOnlyWhereTheUserChoseItHere) {
    const QString counter = m_root.filePath(u"runs.txt"_s);
    const QString script = countingScript(counter);
    const QDateTime start = secondsAhead(2);
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
    ASSERT_TRUE(writeFile(calendarFolder() + u"/edited.ics"_s,
                          programAlarmEvent(u"edited"_s, start, script, "changed")));
    ASSERT_TRUE(writeFile(calendarFolder() + u"/synced.ics"_s,
                          programAlarmEvent(u"synced"_s, start, script, "synced")));
    VdirCalendarStore importer(m_root.filePath(u"calendars"_s));
    ASSERT_EQ(
        importer.importCalendarText(u"home"_s, programAlarmEvent(u"imported"_s, start, script, "imported"))
            .importedUids,
        QStringList{u"imported"_s});
    startService();

    ASSERT_TRUE(waitForNotifies(3, 5000, 1000));
    EXPECT_EQ(readFile(counter), QByteArray("chosen\n"));
    QStringList titles = notifiedTitles();
    titles.sort();
    EXPECT_EQ(titles, (QStringList{u"edited"_s, u"imported"_s, u"synced"_s}));
    for (const QJsonObject& call : notifies())
        EXPECT_TRUE(call.value("body"_L1).toString().contains(
            u"This reminder asks to run "_s + script +
            u". It was not run, because it was not set up on this computer."_s));
}

// A subscription holding hundreds of program alarms at once: none runs, not even one approved, and the
// user gets one summary.
TEST_F(AlarmServiceTest, AReadOnlyCalendarRunsNoProgramAndABurstOfThemIsOneSummary) {
    const QString counter = m_root.filePath(u"runs.txt"_s);
    const QString script = countingScript(counter);
    const QDateTime start = secondsAhead(1);
    ASSERT_TRUE(writeFile(m_root.filePath(u"calendars/subscribed/readonly"_s)));
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(writeFile(m_root.filePath(u"calendars/subscribed/feed-%1.ics"_s.arg(i)),
                              programAlarmEvent(u"feed-%1"_s.arg(i), start, script, "subscribed")));
    ASSERT_TRUE(writeFile(m_root.filePath(u"calendars/subscribed/lone.ics"_s),
                          programAlarmEvent(u"lone"_s, start.addSecs(-120), script, "lone")));
    approve(u"lone"_s, u"subscribed"_s);
    startService();

    ASSERT_TRUE(waitForNotifies(2, 5000, 1000));
    EXPECT_FALSE(QFile::exists(counter));
    ASSERT_EQ(notifies().size(), 2);
    EXPECT_EQ(notifies()[0].value("summary"_L1).toString(), u"lone"_s);
    EXPECT_TRUE(notifies()[0].value("body"_L1).toString().contains(u"because its calendar is read-only"_s));
    EXPECT_TRUE(notifies()[1].value("summary"_L1).toString().startsWith(u"300 reminders at "_s));
}

} // namespace
