#include "TimelineViewTestSupport.h"
#include "dates/EventDescription.h"
#include "timeline/timelineSettings.h"
#include "timeline/view/InlineEditEventController.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr double HOUR = 3600, DAY = 86400;

// The fixture's timeline with the keyboard focus, and after it in the window a field that Tab reaches.
class TimelineKeyboardTest : public ::testing::Test, public TimelineViewFixture {
protected:
    TimelineKeyboardTest() : field(new QLineEdit(&area)) {
        field->move(0, 560);
        field->show();
        area.activateWindow();
        if (!QTest::qWaitForWindowActive(&area))
            throw std::runtime_error("the window never became active");
        view->setFocus();
    }
    CalendarDate at(double hours) const { return tomorrow().addingSeconds(hours * HOUR); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    QString selected() const { return view->selectedEvent() ? view->selectedEvent()->uid : QString(); }
    double top(const QString& uid) const { return arranged(uid)->boundingRect().top(); }
    // Arranged, and all of it in the rows that the scroll area shows below the label rows.
    bool isShown(const QString& uid) const {
        return arranged(uid) &&
               view->visibleRowsRect().contains(arranged(uid)->boundingRect().toAlignedRect());
    }

    QLineEdit* field; // owned by the window
};

TEST_F(TimelineKeyboardTest, ArrowsFollowTimeThenRowsAndCrossToTheNearestInTheNextRow) {
    // Five days from tomorrow: the middle is at 60 hours, inside "mid". "same" starts with "early", and
    // "below" is stacked under "mid"; the fixture's "news" lies at 30 hours.
    save(u"early"_s, u"home"_s, at(10), HOUR);
    save(u"same"_s, u"home"_s, at(10), HOUR);
    save(u"mid"_s, u"home"_s, at(59), 2 * HOUR);
    save(u"below"_s, u"home"_s, at(62), HOUR);
    save(u"late"_s, u"home"_s, at(100), HOUR);
    ASSERT_LT(top(u"early"_s), top(u"same"_s));
    ASSERT_LT(top(u"mid"_s), top(u"below"_s));
    ASSERT_EQ(top(u"mid"_s), top(u"late"_s));

    press(Qt::Key_Right);
    EXPECT_EQ(selected(), u"mid"_s) << "nothing selected: the event in the middle";
    EXPECT_EQ(loop.model.selectedEvent(), view->selectedEvent()) << "the model follows";
    const QStringList forwards = {u"below"_s, u"late"_s, u"late"_s};
    for (const QString& uid : forwards) {
        press(Qt::Key_Right);
        EXPECT_EQ(selected(), uid);
    }
    const QStringList backwards = {u"below"_s, u"mid"_s, u"news"_s, u"same"_s, u"early"_s, u"early"_s};
    for (const QString& uid : backwards) {
        press(Qt::Key_Left);
        EXPECT_EQ(selected(), uid);
    }

    press(Qt::Key_Down);
    EXPECT_EQ(selected(), u"same"_s) << "the one below, not the later one in that row";
    press(Qt::Key_Up);
    EXPECT_EQ(selected(), u"early"_s);
    press(Qt::Key_Up);
    EXPECT_EQ(selected(), u"early"_s) << "no row above";
    view->setSelectedEvent(modelled(u"below"_s));
    press(Qt::Key_Up);
    EXPECT_EQ(selected(), u"mid"_s) << "nearest in time to the start, not the first of the row";

    // While the editor has "mid", the timeline shows its copy; the keys still step from it.
    const std::shared_ptr<CalEvent> original = modelled(u"mid"_s);
    view->setSelectedEvent(original);
    controller->setEditedEvent(original->copy(), original);
    press(Qt::Key_Right);
    EXPECT_EQ(selected(), u"below"_s);
    press(Qt::Key_Up);
    EXPECT_EQ(selected(), u"mid"_s);
}

TEST_F(TimelineKeyboardTest, TheNewSelectionIsScrolledIntoView) {
    area.resize(1040, 200);
    stack(6, tomorrow().addingSeconds(20 * HOUR));
    save(u"far"_s, u"home"_s, at(8 * 24), HOUR);
    QScrollBar* bar = area.verticalScrollBar();
    ASSERT_GT(view->height(), area.viewport()->height());

    view->setSelectedEvent(modelled(u"stack0"_s));
    press(Qt::Key_Up);
    EXPECT_EQ(selected(), u"stack0"_s) << "no row above; the event out of range has none";
    for (int i = 1; i < 6; ++i)
        press(Qt::Key_Down);
    EXPECT_EQ(selected(), u"stack5"_s);
    EXPECT_GT(bar->value(), 0);
    EXPECT_TRUE(isShown(u"stack5"_s)) << bar->value();

    const CalendarDate start = view->startDate();
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(selected(), u"far"_s);
    EXPECT_NE(view->startDate(), start);
    EXPECT_LE(view->startDate(), at(8 * 24));
    EXPECT_GE(view->endDate(), at(8 * 24));
    EXPECT_TRUE(isShown(u"far"_s)) << "back up to the first row";
}

TEST_F(TimelineKeyboardTest, TabMovesThroughTheEventsAndThenLeavesTheTimeline) {
    save(u"mid"_s, u"home"_s, at(59), 2 * HOUR);
    save(u"late"_s, u"home"_s, at(100), HOUR);
    // Loaded but after the range: Tab leaves before it, or a repeating event would hold it for ever.
    save(u"beyond"_s, u"home"_s, at(8 * 24), HOUR);
    press(Qt::Key_Tab);
    EXPECT_EQ(selected(), u"mid"_s);
    press(Qt::Key_Tab);
    EXPECT_EQ(selected(), u"late"_s);
    EXPECT_TRUE(view->hasFocus());
    press(Qt::Key_Tab);
    EXPECT_TRUE(field->hasFocus()) << "after the last event";
    EXPECT_EQ(selected(), u"late"_s);

    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(view->hasFocus()) << "Shift+Tab comes back";
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(selected(), u"mid"_s);
    press(Qt::Key_Backtab);
    EXPECT_EQ(selected(), u"news"_s);
    press(Qt::Key_Backtab);
    EXPECT_TRUE(field->hasFocus()) << "before the first event";
}

TEST_F(TimelineKeyboardTest, ReturnOpensTheSelectionAndEscapeEndsNamingThenClearsIt) {
    save(u"mid"_s, u"home"_s, at(59), 2 * HOUR);
    std::shared_ptr<CalEvent> opened;
    QObject::connect(controller.get(), &TimelineViewController::selectedEventOpenRequested,
                     [&] { opened = loop.model.selectedEvent(); });
    press(Qt::Key_Return);
    EXPECT_FALSE(opened) << "nothing selected";
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->uid, u"mid"_s);

    InlineEditEventController& editor = view->inlineEditEventController();
    editor.setEvent(view->selectedEvent());
    ASSERT_TRUE(editor.titleField()->hasFocus());
    press(Qt::Key_Escape);
    EXPECT_FALSE(editor.isActive());
    EXPECT_EQ(selected(), u"mid"_s) << "the first Escape only ends the naming";
    EXPECT_TRUE(view->hasFocus());
    press(Qt::Key_Escape);
    EXPECT_FALSE(view->selectedEvent());
    EXPECT_FALSE(loop.model.selectedEvent());

    // The window's Escape, as the main window has it, does not take the key from the timeline twice.
    QAction cancel;
    cancel.setShortcut(Qt::Key_Escape);
    int cancelled = 0;
    QObject::connect(&cancel, &QAction::triggered, [&] { cancelled += view->cancelOperation(); });
    area.addAction(&cancel);
    press(Qt::Key_Right);
    press(Qt::Key_Escape);
    EXPECT_FALSE(view->selectedEvent());
    EXPECT_EQ(cancelled, 0);
    field->setFocus();
    view->setSelectedEvent(modelled(u"mid"_s));
    press(Qt::Key_Escape);
    EXPECT_EQ(selected(), u"mid"_s) << "Escape elsewhere in the window keeps the timeline's selection";
}

TEST_F(TimelineKeyboardTest, PageKeysTurnTheRangeByItsLengthAndHomeShowsNow) {
    const CalendarDate start = view->startDate();
    press(Qt::Key_PageDown);
    EXPECT_EQ(view->startDate(), start.addingSeconds(5 * DAY));
    press(Qt::Key_PageUp);
    press(Qt::Key_PageUp);
    EXPECT_EQ(view->startDate(), start.addingSeconds(-5 * DAY));

    const CalendarDate now = CalendarDate::fromComponents(2026, 3, 8, 1, 30);
    view->setClock([&] { return now; });
    press(Qt::Key_Home);
    EXPECT_NEAR(x(now), CENTERED_POSITION_LEFT_MARGIN, 1e-6);
    EXPECT_TRUE(controller->isCenteredOnNow());
}

// A screen reader reaches every event shown, not only through search, and follows the keys.
TEST_F(TimelineKeyboardTest, EachShownEventIsAnItemOfTheTimelineForScreenReaders) {
    save(u"early"_s, u"home"_s, at(10), HOUR);
    save(u"late"_s, u"home"_s, at(100), HOUR);
    QAccessibleInterface* timeline = QAccessible::queryAccessibleInterface(view);
    ASSERT_TRUE(timeline);
    EXPECT_EQ(timeline->role(), QAccessible::List);
    EXPECT_EQ(timeline->text(QAccessible::Name), u"Timeline"_s);
    // The fixture's "news" too.
    ASSERT_EQ(timeline->childCount(), int(view->eventArranger().arrangedEvents().size()));
    QStringList names;
    for (int i = 0; i < timeline->childCount(); ++i) {
        QAccessibleInterface* item = timeline->child(i);
        ASSERT_TRUE(item && item->isValid());
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(item->parent(), timeline);
        EXPECT_EQ(timeline->indexOfChild(item), i);
        EXPECT_FALSE(item->state().selected);
        names.append(item->text(QAccessible::Name));
    }
    const auto itemOf = [&](const QString& uid) {
        const QString name = view->eventDescription()->descriptionOfEvent(*modelled(uid), view->now());
        const qsizetype index = names.indexOf(name);
        return index < 0 ? nullptr : timeline->child(int(index));
    };
    ASSERT_TRUE(itemOf(u"early"_s) && itemOf(u"late"_s)) << names.join(u" | ").toStdString();
    QAccessibleInterface* early = itemOf(u"early"_s);
    EXPECT_EQ(timeline->childAt(early->rect().center().x(), early->rect().center().y()), early);

    view->setSelectedEvent(modelled(u"late"_s));
    press(Qt::Key_Left);
    ASSERT_NE(selected(), u"late"_s);
    QAccessibleInterface* now = itemOf(selected());
    ASSERT_TRUE(now);
    EXPECT_TRUE(now->state().selected && now->state().focused);
    EXPECT_FALSE(itemOf(u"late"_s)->state().selected);

    // Its action selects and opens it, as Return does.
    QAccessibleActionInterface* actions = early->actionInterface();
    ASSERT_TRUE(actions);
    actions->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(selected(), u"early"_s);
    EXPECT_TRUE(early->state().selected);
}

} // namespace
