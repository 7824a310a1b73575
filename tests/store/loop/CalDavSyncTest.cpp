// A synchronised calendar with the tools Linux users sync with: a CalDAV server (Radicale) on the loopback
// and vdirsyncer between it and the calendar folder, the whole data loop running over that folder.
#include "CalDavPeer.h"
#include "EventLoopWait.h"
#include "LoopTestSupport.h"

#include <gtest/gtest.h>

#include <QMap>

#include <memory>

namespace {

class CalDavSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        peer = std::make_unique<CalDavPeer>(loop.root.path());
        ASSERT_TRUE(peer->discover()) << peer->log().toStdString();
        loop.writeMarker(u"shared"_s, u"type"_s, "caldav\n");
        loop.load();
    }

    void sync() { ASSERT_EQ(peer->vdirsyncer(u"sync"_s), 0) << peer->log().toStdString(); }
    // Every file of the calendar folder with its bytes.
    QMap<QString, QByteArray> folderContents() const {
        QMap<QString, QByteArray> contents;
        const QDir folder(QDir(loop.root.path()).filePath(u"shared"_s));
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
            QFile file(folder.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                contents.insert(name, file.readAll());
        }
        return contents;
    }
    // A new one-hour event in the shared calendar, `days` after today at 09:00 UTC.
    std::shared_ptr<CalEvent> addEvent(const QString& title, int days = 1) {
        auto event = loop.controller.createNewEvent();
        event->title = title;
        event->calendar = loop.model.calendarWithUid(u"shared"_s);
        event->startDate = QDateTime(QDate::currentDate().addDays(days), QTime(9, 0), Qt::UTC);
        event->endDate = event->startDate.addSecs(3600);
        loop.controller.addEvent(*event);
        Loop::nextPass();
        return event;
    }

    Loop loop;
    std::unique_ptr<CalDavPeer> peer;
};

TEST_F(CalDavSyncTest, AnEventMadeHereReachesTheServerAndOneFromTheServerReachesTheModel) {
    // The folder vdirsyncer made appears while the store is watching.
    ASSERT_TRUE(waitFor([&] { return loop.model.calendarWithUid(u"shared"_s) != nullptr; }));
    const auto shared = loop.model.calendarWithUid(u"shared"_s);
    EXPECT_EQ(shared->title, u"Shared"_s);
    EXPECT_EQ(shared->type, CalCalendarTypeCalDAV);

    const auto event = addEvent(u"Made in Verdalune"_s);
    sync();
    QByteArray served;
    ASSERT_EQ(peer->curl({peer->serverUrl() + u"/shared/"_s}, &served), 0);
    EXPECT_TRUE(served.contains("SUMMARY:Made in Verdalune")) << served.constData();
    EXPECT_TRUE(served.contains("UID:" + event->uid.toUtf8()));

    // Another device puts an event on the server; the next sync brings it into the running model and
    // leaves every other file as it was.
    const QMap<QString, QByteArray> before = folderContents();
    const QString start = QDate::currentDate().addDays(2).toString(u"yyyyMMdd"_s);
    ASSERT_TRUE(peer->put(
        u"put-on-the-server.ics"_s,
        u"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Another device//EN\r\nBEGIN:VEVENT\r\n"
        "UID:put-on-the-server\r\nDTSTAMP:20261208T000000Z\r\nDTSTART:%1T150000Z\r\n"
        "DTEND:%1T160000Z\r\nSUMMARY:Put on the server\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"_s.arg(start)
            .toUtf8()));
    sync();
    ASSERT_TRUE(waitFor([&] { return !loop.modelled(u"put-on-the-server"_s).isEmpty(); }));
    const auto arrived = loop.modelled(u"put-on-the-server"_s).front();
    EXPECT_EQ(arrived->title, u"Put on the server"_s);
    EXPECT_EQ(arrived->calendar->uid, u"shared"_s);
    EXPECT_EQ(arrived->startDate, QDateTime(QDate::currentDate().addDays(2), QTime(15, 0), Qt::UTC));

    QMap<QString, QByteArray> after = folderContents();
    ASSERT_EQ(after.size(), before.size() + 1);
    after.remove(u"put-on-the-server.ics"_s);
    EXPECT_EQ(after, before) << "the files already there are untouched";
    EXPECT_EQ(loop.modelled(event->uid).size(), 1);
}

// Edited here, then changed on another device and synced back: undoing the edit would upload the old text
// over the other device's change at the next sync, so it waits for the user's word.
TEST_F(CalDavSyncTest, UndoAfterASyncBroughtAnotherDevicesChangeAsksAndKeepsItUnlessTold) {
    ASSERT_TRUE(waitFor([&] { return loop.model.calendarWithUid(u"shared"_s) != nullptr; }));
    const auto event = addEvent(u"Planning"_s);
    auto edited = loop.modelled(event->uid).front()->copy();
    edited->title = u"Planning edited here"_s;
    loop.storeController.saveEvent(*edited, CalSpan::AllEvents);
    Loop::nextPass();
    sync();

    const QString item = event->uid + u".ics"_s;
    QByteArray served = peer->served(item);
    ASSERT_FALSE(served.isEmpty()) << "the item is named after its uid";
    served.replace("SUMMARY:Planning edited here", "SUMMARY:Planning moved elsewhere");
    ASSERT_TRUE(peer->put(item, served));
    sync();

    const qsizetype shown = loop.interaction.shown().size(); // the warning about calendars kept in step
    loop.undo.undo();
    ASSERT_EQ(loop.interaction.shown().size(), shown + 1);
    EXPECT_TRUE(
        loop.interaction.shown().back().title.startsWith(u"“Planning moved elsewhere” was changed"_s));
    sync();
    EXPECT_TRUE(peer->served(item).contains("SUMMARY:Planning moved elsewhere"));

    loop.interaction.setOverwriteAnswer(true);
    loop.undo.undo();
    sync();
    EXPECT_TRUE(peer->served(item).contains("SUMMARY:Planning\r\n"));
}

} // namespace
