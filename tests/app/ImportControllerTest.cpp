// File > Import… over a real calendar folder: what the user is told matches what was written.
#include "app/ImportController.h"

#include "LoopTestSupport.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

const QByteArray TWO_SERIES =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//mail//EN\r\nMETHOD:REQUEST\r\n"
    "BEGIN:VEVENT\r\nUID:invite-1\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261209T150000Z\r\n"
    "DTEND:20261209T160000Z\r\nSUMMARY:Review\r\nATTENDEE;CN=Ana:mailto:ana@example.org\r\n"
    "X-MAIL-PROGRAM:kept\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:invite-2\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261210T150000Z\r\n"
    "DTEND:20261210T160000Z\r\nSUMMARY:Retro\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

class ImportControllerTest : public ::testing::Test {
protected:
    ImportControllerTest() {
        loop.makeCalendar(u"home"_s);
        loop.load();
        loop.controller.setNeedsRangeStartDate(QDateTime(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC),
                                               QDateTime(QDate(2026, 12, 31), QTime(0, 0), Qt::UTC));
    }
    QString saved(const QByteArray& text) {
        if (!writeFile(folder.filePath(u"invite.ics"_s), text))
            throw std::runtime_error("cannot write the file to import");
        return folder.filePath(u"invite.ics"_s);
    }
    QStringList eventFiles() const {
        return QDir(loop.root.filePath(u"home"_s)).entryList({u"*.ics"_s}, QDir::Files, QDir::Name);
    }

    Loop loop;
    QTemporaryDir folder;
    ImportController import{loop.model, loop.storeController, loop.undo};
};

TEST_F(ImportControllerTest, TheEventsOfAFileArriveOneFilePerSeries) {
    bool ok = false;
    EXPECT_EQ(import.importFile(saved(TWO_SERIES), u"home"_s, ok), u"2 events imported into “home”."_s);
    EXPECT_TRUE(ok);
    EXPECT_EQ(eventFiles(), (QStringList{u"invite-1.ics"_s, u"invite-2.ics"_s}));
    const QByteArray written = readFile(loop.root.filePath(u"home/invite-1.ics"_s));
    EXPECT_TRUE(written.contains("X-MAIL-PROGRAM:kept") && written.contains("ATTENDEE;CN=Ana"));
    EXPECT_FALSE(written.contains("invite-2"));
    loop.nextPass();
    EXPECT_EQ(loop.modelled(u"invite-1"_s).size(), 1) << "the model has them at once";
    EXPECT_EQ(CalAttendee::displayNames(loop.modelled(u"invite-1"_s).front()->attendees),
              QStringList{u"Ana"_s});

    // Again: nothing twice.
    EXPECT_TRUE(import.importFile(saved(TWO_SERIES), u"home"_s, ok).startsWith(u"Nothing was imported."_s));
    EXPECT_FALSE(ok);
    EXPECT_EQ(eventFiles().size(), 2);

    // One undo takes the whole import back, one redo brings it again, and nothing writes a series twice.
    loop.nextPass();
    ASSERT_EQ(loop.undo.undoActionName(), u"Import"_s);
    loop.undo.undo();
    EXPECT_TRUE(eventFiles().isEmpty());
    EXPECT_TRUE(loop.modelled(u"invite-2"_s).isEmpty());
    loop.undo.redo();
    EXPECT_EQ(loop.store.calls, (QStringList{u"remove invite-1 2"_s, u"remove invite-2 2"_s}));
    EXPECT_EQ(eventFiles(), (QStringList{u"invite-1.ics"_s, u"invite-2.ics"_s}));
    EXPECT_EQ(loop.modelled(u"invite-2"_s).size(), 1);
    EXPECT_TRUE(loop.undo.canUndo());
}

TEST_F(ImportControllerTest, AFileThatIsNoCalendarIsRefusedAndNothingIsWritten) {
    bool ok = true;
    const QString message =
        import.importFile(saved("From: someone\r\nSubject: not a calendar\r\n"), u"home"_s, ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(message.startsWith(u"Nothing was imported. The file holds no events"_s))
        << message.toStdString();
    EXPECT_TRUE(eventFiles().isEmpty());
    EXPECT_TRUE(
        import.importFile(folder.filePath(u"missing.ics"_s), u"home"_s, ok).contains(u"cannot be read"_s));
    // A device that never ends is not read at all.
    EXPECT_EQ(import.importFile(u"/dev/zero"_s, u"home"_s, ok),
              u"“zero” cannot be read: not a regular file"_s);
    EXPECT_TRUE(eventFiles().isEmpty());
}

TEST_F(ImportControllerTest, ProgramAlarmsAreKeptAndTheUserIsToldTheyDoNotRun) {
    const QByteArray procedure = "BEGIN:VALARM\r\nACTION:PROCEDURE\r\nATTACH:file:///usr/bin/env\r\n"
                                 "DESCRIPTION:-S sh -c id\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\n";
    QByteArray invitation = TWO_SERIES;
    invitation.replace("X-MAIL-PROGRAM:kept\r\n", "X-MAIL-PROGRAM:kept\r\n" + procedure + procedure);
    bool ok = false;
    EXPECT_EQ(import.importFile(saved(invitation), u"home"_s, ok),
              u"2 events imported into “home”.\n\n2 imported alarms would run a program. They do not run "
              u"until you choose their program in the event editor."_s);
    EXPECT_EQ(readFile(loop.root.filePath(u"home/invite-1.ics"_s)).count("ATTACH:file:///usr/bin/env"), 2)
        << "nothing of the file is lost";
}

} // namespace
