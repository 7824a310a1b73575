#include "ProgramTestSupport.h"
#include "TestFiles.h"
#include "timeline/view/InlineEditEventController.h"
#include "timeline/view/TimelineView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTest>

namespace {

// Naming a new event in place, in the whole program over a calendar folder of its own (the calendar
// "Home" and an editable "Work"), its clock stopped on a Wednesday at 10:00 in the week ahead.
class InlineEntryLineTest : public ProgramTest {
protected:
    InlineEntryLineTest() {
        for (const auto& [name, text] : {std::pair{u"displayname"_s, "Feed\n"}, {u"readonly"_s, ""}})
            if (!writeFile(QDir(calendars.path()).filePath(u"feed/"_s + name), text))
                throw std::runtime_error("cannot write the calendar Feed");
        launch(true);
        auto work = delegate.calendarController().createNewCalendar();
        work->title = u"Work"_s;
        if (delegate.calendarController().addCalendar(*work))
            throw std::runtime_error("cannot add the calendar Work");
        workUid = work->uid;
        delegate.applicationModel().setSelectedCalendarUid(u"home"_s);
        QCoreApplication::processEvents();
    }
    static QDateTime at(int days, double hours) {
        return wednesday().dateByAddingDays(days).addingSeconds(hours * 3600).toQDateTime();
    }

    TimelineView& view() const { return delegate.mainWindow().timelineView(); }
    InlineEditEventController& editor() const { return view().inlineEditEventController(); }
    UndoManager& undo() { return delegate.undoManager(); }

    // A new event today 14:00 to 15:00, with the field open over it, as after a double click.
    std::shared_ptr<CalEvent> createAndOpen() {
        const auto created = delegate.timelineViewController().createEventWithStart(
            wednesday().addingSeconds(14 * 3600), wednesday().addingSeconds(15 * 3600));
        if (!created)
            throw std::runtime_error("no event created");
        QCoreApplication::processEvents(); // the undo group of "New Event" closes
        view().doLayoutEvents();
        editor().setEvent(created);
        if (!editor().isActive())
            throw std::runtime_error("the field did not open");
        return created;
    }
    void type(const QString& line) {
        editor().titleField()->selectAll();
        QTest::keyClicks(editor().titleField(), line);
        QTest::keyClick(editor().titleField(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    std::shared_ptr<CalEvent> modelled(const QString& uid) {
        const EventList events = delegate.applicationModel().eventsWithUid(uid);
        return events.size() == 1 ? events.front() : nullptr;
    }
    // After an undo: the event as createAndOpen made it.
    void expectAsCreated(const QString& uid) {
        QCoreApplication::processEvents();
        const auto restored = modelled(uid);
        ASSERT_TRUE(restored);
        EXPECT_EQ(restored->calendar->uid, u"home"_s);
        EXPECT_EQ(restored->startDate, at(0, 14));
        EXPECT_EQ(restored->endDate, at(0, 15));
        EXPECT_FALSE(restored->isAllDay);
        EXPECT_EQ(restored->title, u"New Event"_s);
    }
    // The event's file, wherever its calendar's folder is.
    QString eventFile(const QString& uid) const {
        for (const QString& folder : QDir(calendars.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile file(QDir(calendars.path()).filePath(folder + u'/' + uid + u".ics"_s));
            if (file.open(QIODevice::ReadOnly))
                return folder + u'\n' + QString::fromUtf8(file.readAll()).replace(u"\r\n"_s, u"\n"_s);
        }
        return {};
    }

    QString workUid;
};

TEST_F(InlineEntryLineTest, ALineWithTimesSetsThemAndTheTitleInOneUndoableStep) {
    const auto created = createAndOpen();
    type(u"4pm to 5:30pm budget"_s);
    EXPECT_FALSE(editor().isActive());
    const auto edited = modelled(created->uid);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->startDate, at(0, 16));
    EXPECT_EQ(edited->endDate, at(0, 17.5));
    EXPECT_EQ(edited->title, u"budget"_s);
    EXPECT_FALSE(edited->isAllDay);
    const QString file = eventFile(created->uid);
    const QString day = wednesday().toQDateTime().toLocalTime().toString(u"yyyyMMdd"_s);
    EXPECT_TRUE(file.startsWith(u"home\n"_s)) << file.toStdString();
    EXPECT_TRUE(file.contains(u"DTSTART;TZID=America/New_York:%1T160000\n"_s.arg(day))) << file.toStdString();
    EXPECT_TRUE(file.contains(u"DTEND;TZID=America/New_York:%1T173000\n"_s.arg(day))) << file.toStdString();
    EXPECT_TRUE(file.contains(u"\nSUMMARY:budget\n"_s)) << file.toStdString();
    EXPECT_EQ(undo().undoActionName(), u"Edit Event"_s);

    undo().undo();
    expectAsCreated(created->uid);
    EXPECT_TRUE(eventFile(created->uid).contains(u"DTSTART;TZID=America/New_York:%1T140000\n"_s.arg(day)));
    EXPECT_EQ(undo().redoActionName(), u"Edit Event"_s);
    EXPECT_EQ(undo().undoActionName(), u"New Event"_s) << "one undo for the whole line";
}

TEST_F(InlineEntryLineTest, ControlZInTheWindowUndoesTheLine) {
    const auto created = createAndOpen();
    type(u"tomorrow 1pm lunch"_s);
    const auto edited = modelled(created->uid);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->startDate, at(1, 13));
    EXPECT_EQ(edited->title, u"lunch"_s);
    MainWindow& window = delegate.mainWindow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    expectAsCreated(created->uid);
}

TEST_F(InlineEntryLineTest, ACalendarNameMovesTheEventToThatCalendar) {
    const auto created = createAndOpen();
    type(u"work: fri 9am review"_s);
    const auto edited = modelled(created->uid);
    ASSERT_TRUE(edited);
    ASSERT_TRUE(edited->calendar);
    EXPECT_EQ(edited->calendar->uid, workUid);
    EXPECT_EQ(edited->startDate, at(2, 9));
    EXPECT_EQ(edited->endDate, at(2, 10)) << "as long as before";
    EXPECT_EQ(edited->title, u"review"_s);
    EXPECT_TRUE(eventFile(created->uid).startsWith(workUid + u'\n'));
    EXPECT_EQ(undo().undoActionName(), u"Edit Event"_s);

    undo().undo();
    expectAsCreated(created->uid);
    EXPECT_TRUE(eventFile(created->uid).startsWith(u"home\n"_s));
}

TEST_F(InlineEntryLineTest, ATitleWithoutATimeARangeOrACalendarOnlyRenames) {
    const auto created = createAndOpen();
    // Days, months and numbers alone are words of the title; a calendar's name with words after it names
    // the event, it does not move it.
    for (const QString& title : {u"budget"_s, u"Mon standup"_s, u"March planning"_s, u"10 things to do"_s,
                                 u"2 hour review"_s, u"Work party"_s}) {
        editor().setEvent(modelled(created->uid));
        ASSERT_TRUE(editor().isActive());
        type(title);
        const auto renamed = modelled(created->uid);
        ASSERT_TRUE(renamed);
        EXPECT_EQ(renamed->title, title);
        EXPECT_EQ(renamed->startDate, at(0, 14)) << title.toStdString();
        EXPECT_EQ(renamed->endDate, at(0, 15)) << title.toStdString();
        EXPECT_FALSE(renamed->isAllDay) << title.toStdString();
        EXPECT_EQ(renamed->calendar->uid, u"home"_s);
        EXPECT_EQ(undo().undoActionName(), u"Rename Event"_s);
    }
}

TEST_F(InlineEntryLineTest, WhatWillBeTakenAsDatesIsColouredWhileTheLineIsTyped) {
    createAndOpen();
    QLineEdit& field = *editor().titleField();
    // The columns of the field that hold text, and those that hold text in the blue of understood dates;
    // the frame, blue while the field has the focus, is left out.
    const auto columns = [&](bool blueOnly) {
        const QImage image = field.grab().toImage();
        QList<int> found;
        for (int x = 3; x < image.width() - 3; ++x)
            for (int y = 3; y < image.height() - 3; ++y) {
                const QColor c = image.pixelColor(x, y);
                const bool blue = c.blue() - c.red() > 60 && c.blue() - c.green() > 30;
                if (blueOnly ? blue : (blue || qGray(c.rgb()) < 128)) {
                    found.append(x);
                    break;
                }
            }
        return found;
    };
    for (const auto& [line, dates] : {std::pair{u"4pm to 5:30pm budget"_s, u"4pm to 5:30pm "_s},
                                      {u"work: fri 9am review"_s, u"work: fri 9am "_s},
                                      {u"Mon standup"_s, QString()},
                                      {u"10 things to do"_s, QString()}}) {
        SCOPED_TRACE(line.toStdString());
        field.selectAll();
        QTest::keyClicks(&field, line);
        const QList<int> blue = columns(true);
        ASSERT_EQ(blue.isEmpty(), dates.isEmpty());
        if (blue.isEmpty())
            continue;
        const int textLeft = columns(false).first();
        EXPECT_LE(blue.first(), textLeft + 2) << "from the line's start";
        EXPECT_LT(blue.last(), textLeft + field.fontMetrics().horizontalAdvance(dates))
            << "the title keeps the text colour";
    }
}

TEST_F(InlineEntryLineTest, OnlyEditableCalendarsAreNamesOfTheLanguage) {
    ParsingController& parsing = delegate.parsingController();
    ASSERT_TRUE(delegate.applicationModel().calendarWithUid(u"feed"_s));
    EXPECT_FALSE(delegate.applicationModel().calendarWithUid(u"feed"_s)->isEditable);
    const auto feed = parsing.parseEvent(u"feed: fri 9am review"_s);
    EXPECT_TRUE(!feed || feed->type() != ParseTreeNode::calendarAndEvent);
    const auto home = parsing.parseEvent(u"home fri 9am review"_s);
    ASSERT_TRUE(home);
    EXPECT_EQ(home->type(), ParseTreeNode::calendarAndEvent);
    const auto work = parsing.parseEvent(u"work: fri 9am review"_s);
    ASSERT_TRUE(work);
    EXPECT_EQ(work->type(), ParseTreeNode::calendarAndEvent);
    // Renamed: the language follows.
    auto renamed = delegate.applicationModel().calendarWithUid(workUid)->copy();
    renamed->title = u"Office"_s;
    ASSERT_FALSE(delegate.calendarController().saveCalendar(*renamed));
    QCoreApplication::processEvents();
    EXPECT_EQ(parsing.parseEvent(u"office: fri 9am review"_s)->type(), ParseTreeNode::calendarAndEvent);
    const auto old = parsing.parseEvent(u"work: fri 9am review"_s);
    EXPECT_TRUE(!old || old->type() != ParseTreeNode::calendarAndEvent);
}

} // namespace
