#include "search/SearchController.h"
#include "../editing/WidgetInput.h"
#include "LoopTestSupport.h"
#include "search/SearchResultsPane.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr double DAY = 86400;

// The window's part that search lives in: the field above a splitter with the timeline (a month on the
// linear scale) and the results pane, over a real calendar folder with the calendars "home" and "work".
class SearchControllerTest : public ::testing::Test {
protected:
    SearchControllerTest() {
        loop.makeCalendar(u"home"_s);
        loop.makeCalendar(u"work"_s);
    }

    // Before `start`: an hour at 10:00 UTC, `days` after tomorrow.
    std::shared_ptr<CalEvent> store(const QString& uid, const QString& title, int days,
                                    const QString& calendar = u"home"_s) {
        return loop.makeEvent(calendar, uid, days, 0, title);
    }

    void start(QSize size = QSize(1000, 600)) {
        loop.load();
        auto* layout = new QVBoxLayout(&window);
        auto* area = new QScrollArea;
        view = new TimelineView;
        view->placeInScrollArea(*area);
        splitter = new QSplitter(Qt::Vertical);
        splitter->addWidget(area);
        timeline = std::make_unique<TimelineViewController>(*view, loop.model, loop.controller, loop.undo);
        timeline->setViewMode(TimelineViewController::Linear);
        timeline->setTimeInterval(30 * DAY);
        search = std::make_unique<SearchController>(loop.model, loop.controller, *timeline, loop.defaults,
                                                    [this] { ++opened; });
        search->placeInSplitter(*splitter);
        layout->addWidget(search->searchField());
        layout->addWidget(splitter);
        window.resize(size);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Letters beyond ASCII come as keys without a key code, as from a compose sequence.
    void type(const QString& text) {
        QLineEdit* field = search->searchField();
        field->setFocus();
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(field, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    void retype(const QString& text) {
        search->searchField()->selectAll();
        QTest::keyClick(search->searchField(), Qt::Key_Backspace);
        type(text);
    }
    QStringList found() const {
        QStringList uids;
        for (const auto& event : search->foundEvents())
            uids.append(event->uid);
        return uids;
    }
    QString selected() const {
        const auto event = search->selectedEvent();
        return event ? event->uid : QString();
    }
    int paneHeight() const { return splitter->sizes().value(1); }
    // The search is over: the pane hidden and the field empty.
    bool ended() const {
        return search->resultsPane()->isHidden() && search->searchField()->text().isEmpty();
    }
    // Which arranged events the timeline draws dimmed, after it laid out again.
    QStringList dimmed() {
        QCoreApplication::processEvents();
        view->doLayoutEvents();
        QStringList uids;
        for (const auto& arranged : view->eventArranger().arrangedEvents())
            if (arranged->style() && arranged->style()->dimmed)
                uids.append(arranged->event()->uid);
        uids.sort();
        return uids;
    }

    Loop loop;
    QWidget window;
    TimelineView* view = nullptr;
    QSplitter* splitter = nullptr;
    std::unique_ptr<TimelineViewController> timeline;
    std::unique_ptr<SearchController> search;
    int opened = 0;
};

TEST_F(SearchControllerTest, TypingOpensThePaneAndSelectsTheSoonestUpcomingMatch) {
    store(u"past"_s, u"Dentist"_s, -10);
    const auto soon = store(u"soon"_s, u"Dentist check"_s, 3);
    store(u"later"_s, u"dentist"_s, 20);
    store(u"other"_s, u"Lunch"_s, 4);
    start();
    EXPECT_TRUE(search->resultsPane()->isHidden());
    EXPECT_EQ(search->searchField()->accessibleName(), u"Search"_s);

    type(u"dent"_s);
    ASSERT_TRUE(search->resultsPane()->isVisible());
    const int height = splitter->height();
    EXPECT_NEAR(paneHeight(), height / 3, splitter->handleWidth());
    EXPECT_EQ(found(), (QStringList{u"past"_s, u"soon"_s, u"later"_s})) << "by start";
    EXPECT_EQ(search->table()->model()->rowCount(), 3);
    EXPECT_EQ(selected(), u"soon"_s);
    ASSERT_TRUE(loop.model.selectedEvent());
    EXPECT_EQ(loop.model.selectedEvent()->uid, u"soon"_s);
    EXPECT_LT(std::abs(timeline->centeredDate().secondsSince(CalendarDate::fromQDateTime(soon->startDate))),
              1);
    EXPECT_LE(loop.controller.loadedRangeStartDate(), Loop::now().addDays(-366));
    EXPECT_GE(loop.controller.loadedRangeEndDate(), Loop::now().addDays(366));

    retype(u"dentist check"_s);
    EXPECT_EQ(found(), QStringList{u"soon"_s});
    retype(u"nothing like it"_s);
    EXPECT_TRUE(found().isEmpty());
    EXPECT_TRUE(search->resultsPane()->isVisible()) << "open while there is text";
}

TEST_F(SearchControllerTest, ASmallWindowStillGivesThePaneAHundredPixels) {
    store(u"soon"_s, u"Dentist"_s, 3);
    start(QSize(600, 220));
    type(u"dent"_s);
    ASSERT_LT(splitter->height() / 3, 100);
    EXPECT_EQ(paneHeight(), 100);
}

TEST_F(SearchControllerTest, RangeModesKeepTheFutureOrThePastAndAreRemembered) {
    store(u"long-ago"_s, u"Visit"_s, -40);
    store(u"recent"_s, u"Visit"_s, -10);
    store(u"soon"_s, u"Visit"_s, 3);
    store(u"later"_s, u"Visit"_s, 20);
    start();
    type(u"visit"_s);
    chooseEntry(search->resultsPane()->rangeChoice(), u"Past"_s);
    EXPECT_EQ(found(), (QStringList{u"long-ago"_s, u"recent"_s}));
    EXPECT_EQ(selected(), u"recent"_s) << "the latest past match";
    EXPECT_EQ(loop.defaults.value(SearchRangeKey).toInt(), 2);

    chooseEntry(search->resultsPane()->rangeChoice(), u"Future"_s);
    EXPECT_EQ(found(), (QStringList{u"soon"_s, u"later"_s}));
    EXPECT_EQ(selected(), u"soon"_s);
    EXPECT_EQ(loop.defaults.value(SearchRangeKey).toInt(), 1);

    // Another window of the same defaults starts in the stored mode, and follows a change to them.
    SearchResultsPane* pane = search->resultsPane();
    SearchController second(loop.model, loop.controller, *timeline, loop.defaults, [] {});
    EXPECT_EQ(second.resultsPane()->rangeChoice()->currentText(), u"Future"_s);
    loop.defaults.setValue(SearchRangeKey, 0);
    EXPECT_EQ(pane->rangeChoice()->currentText(), u"Past and Future"_s);
    EXPECT_EQ(found().size(), 4);
}

TEST_F(SearchControllerTest, WithOnlyPastMatchesTheLatestIsSelected) {
    store(u"long-ago"_s, u"Visit"_s, -40);
    store(u"recent"_s, u"Visit"_s, -10);
    start();
    type(u"visit"_s);
    EXPECT_EQ(selected(), u"recent"_s);
}

TEST_F(SearchControllerTest, NotesLocationAndAttendeesMatchWithinOneField) {
    auto noted = store(u"noted"_s, u"Trip"_s, 2);
    noted->notes = u"bring the passport"_s;
    noted->location = u"Rathaus, Zürich"_s;
    if (loop.store.saveEvent(*noted, CalSpan::AllEvents))
        FAIL() << "cannot store event";
    start();
    // Attendees come only from files other programs write; this one arrives while the window is open.
    const QByteArray invitation = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Test//EN\r\n"
                                  "BEGIN:VEVENT\r\nUID:invited\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:" +
                                  QDate::currentDate().addDays(5).toString(u"yyyyMMdd'T100000Z'").toLatin1() +
                                  "\r\nDURATION:PT1H\r\nSUMMARY:Planning\r\n"
                                  "ATTENDEE;CN=Jürgen Ødegård:mailto:j@example.org\r\n"
                                  "END:VEVENT\r\nEND:VCALENDAR\r\n";
    loop.writeMarker(u"work"_s, u"invited.ics"_s, invitation);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loop.model.eventsWithUid(u"invited"_s).isEmpty(); }, 10000));

    type(u"juergen"_s);
    EXPECT_TRUE(found().isEmpty());
    retype(u"jurgen"_s);
    EXPECT_EQ(found(), QStringList{u"invited"_s}) << "the attendee's name alone";
    retype(u"PASSPORT"_s);
    EXPECT_EQ(found(), QStringList{u"noted"_s});
    retype(u"zurich"_s);
    EXPECT_EQ(found(), QStringList{u"noted"_s});
    retype(u"passport\u0020Rathaus"_s);
    EXPECT_TRUE(found().isEmpty()) << "no match across the notes and the location";
    retype(u"tripbring"_s);
    EXPECT_TRUE(found().isEmpty());
}

TEST_F(SearchControllerTest, CaseAndAccentsAreIgnoredBothWays) {
    store(u"cafe"_s, u"Café Über"_s, 2);
    store(u"plain"_s, u"uber cafe"_s, 3);
    store(u"other"_s, u"Cabinet"_s, 4);
    start();
    for (const QString& text : {u"CAFE"_s, u"café"_s, u"ÜBER"_s, u"uBeR"_s, u"CAFÉ ÜBER"_s.left(4)}) {
        retype(text);
        EXPECT_EQ(found(), (QStringList{u"cafe"_s, u"plain"_s})) << text.toStdString();
    }
}

TEST_F(SearchControllerTest, ShownCalendarsModeLeavesOutSwitchedOffCalendars) {
    store(u"at-home"_s, u"Review"_s, 2, u"home"_s);
    store(u"at-work"_s, u"Review"_s, 3, u"work"_s);
    start();
    loop.model.removeEnabledCalendarUidsObject(u"work"_s);
    type(u"review"_s);
    EXPECT_EQ(found(), (QStringList{u"at-home"_s, u"at-work"_s})) << "all calendars by default";

    chooseEntry(search->resultsPane()->calendarsChoice(), u"Shown Calendars"_s);
    EXPECT_EQ(found(), QStringList{u"at-home"_s});
    EXPECT_EQ(loop.defaults.value(SearchCalendarsKey).toInt(), 1);
    loop.model.addEnabledCalendarUidsObject(u"work"_s);
    EXPECT_EQ(found(), (QStringList{u"at-home"_s, u"at-work"_s})) << "follows the switches";
    loop.model.removeEnabledCalendarUidsObject(u"work"_s);
    EXPECT_EQ(found(), QStringList{u"at-home"_s});
}

TEST_F(SearchControllerTest, TheResultsFollowTheStoreAndKeepTheSelectedRow) {
    store(u"first"_s, u"Dentist"_s, 2);
    start();
    type(u"dent"_s);
    EXPECT_EQ(selected(), u"first"_s);
    store(u"Dentist again"_s, u"Dentist again"_s, 0);
    EXPECT_EQ(found(), (QStringList{u"Dentist again"_s, u"first"_s}));
    EXPECT_EQ(selected(), u"first"_s) << "a new match does not take the selection";

    // Another program's version of a match takes the place of ours, also for the next keystroke.
    ASSERT_FALSE(loop.rewriteAsSync(u"home"_s, u"first"_s, u"Dentist at nine"_s).isEmpty());
    loop.storeController.takeInExternalChanges();
    EXPECT_EQ(found(), (QStringList{u"Dentist again"_s, u"first"_s}));
    retype(u"nine"_s);
    EXPECT_EQ(found(), QStringList{u"first"_s});
}

TEST_F(SearchControllerTest, EndingTheSearchHidesThePaneAndTheTimelineTakesTheFocus) {
    store(u"soon"_s, u"Dentist"_s, 3);
    start();
    type(u"de"_s);
    ASSERT_TRUE(search->resultsPane()->isVisible());
    QTest::keyClick(search->searchField(), Qt::Key_Backspace);
    QTest::keyClick(search->searchField(), Qt::Key_Backspace);
    EXPECT_TRUE(search->resultsPane()->isHidden()) << "emptied";
    EXPECT_TRUE(found().isEmpty());

    type(u"de"_s);
    QTest::keyClick(search->searchField(), Qt::Key_Escape);
    EXPECT_TRUE(ended());
    EXPECT_TRUE(view->hasFocus());

    type(u"de"_s);
    QTest::mouseClick(search->resultsPane()->closeButton(), Qt::LeftButton);
    EXPECT_TRUE(ended());

    type(u"de"_s);
    search->table()->setFocus();
    QTest::keyClick(search->table(), Qt::Key_Escape);
    EXPECT_TRUE(search->resultsPane()->isHidden()) << "Escape in the pane";

    // On the timeline the first Escape clears the selection, the next one ends the search.
    type(u"de"_s);
    ASSERT_TRUE(loop.model.selectedEvent()) << "the nearest match is selected";
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(loop.model.selectedEvent());
    EXPECT_FALSE(ended());
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(ended());

    search->focusSearchField();
    QTest::keyClicks(QApplication::focusWidget(), u"de"_s);
    EXPECT_EQ(search->searchField()->text(), u"de"_s);
}

TEST_F(SearchControllerTest, DraggingThePaneShutEndsTheSearch) {
    store(u"soon"_s, u"Dentist"_s, 3);
    start();
    type(u"de"_s);
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + QPoint(0, 60));
    EXPECT_TRUE(search->resultsPane()->isVisible()) << "above its least height";
    QTest::mouseMove(handle, grip + QPoint(0, paneHeight() + 50));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, paneHeight() + 50));
    EXPECT_TRUE(ended());
}

TEST_F(SearchControllerTest, OnlyTheMatchesStayUndimmedWhileSearching) {
    store(u"checkup"_s, u"Dentist checkup"_s, 3);
    store(u"dentist"_s, u"Dentist"_s, 5);
    store(u"lunch"_s, u"Lunch"_s, 4);
    store(u"gym"_s, u"Gym"_s, 6);
    start();
    EXPECT_TRUE(dimmed().isEmpty());
    type(u"dentist"_s);
    EXPECT_EQ(dimmed(), (QStringList{u"gym"_s, u"lunch"_s}));
    type(u" c"_s);
    EXPECT_EQ(selected(), u"checkup"_s);
    EXPECT_EQ(dimmed(), (QStringList{u"dentist"_s, u"gym"_s, u"lunch"_s}));
    QTest::keyClick(search->searchField(), Qt::Key_Escape);
    EXPECT_TRUE(dimmed().isEmpty());
}

TEST_F(SearchControllerTest, DownMovesIntoTheTableAndReturnOrADoubleClickOpensTheRow) {
    store(u"first"_s, u"Dentist"_s, 3);
    store(u"second"_s, u"Dentist"_s, 5);
    start();
    type(u"dent"_s);
    QTest::keyClick(search->searchField(), Qt::Key_Down);
    QTableView* table = search->table();
    ASSERT_TRUE(table->hasFocus());
    EXPECT_EQ(selected(), u"first"_s);
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(selected(), u"second"_s);
    EXPECT_EQ(loop.model.selectedEvent()->uid, u"second"_s) << "the model follows the table";
    EXPECT_EQ(opened, 0);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(opened, 1);

    const QPoint row = table->visualRect(table->model()->index(0, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(opened, 1) << "a single click only selects";
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(loop.model.selectedEvent()->uid, u"first"_s);
}

} // namespace
