#include "LoopTestSupport.h"
#include "store/ChangeApplier.h"

#include <gtest/gtest.h>

namespace {

using Shown = NonInteractiveUserInteraction::Shown;

// "lunch" and a daily "standup" of three whose second occurrence is detached.
void fill(Loop& loop) {
    loop.makeCalendar(u"home"_s);
    loop.makeEvent(u"home"_s, u"lunch"_s);
    loop.makeEvent(u"home"_s, u"standup"_s, 0, 3);
    auto detached = loop.stored(u"standup"_s).value(1)->copy();
    detached->title = u"standup once"_s;
    if (loop.store.saveEvent(*detached, CalSpan::ThisEvent))
        throw std::runtime_error("cannot detach");
    loop.load();
    loop.store.calls.clear();
}

std::shared_ptr<CalEvent> first(const Loop& loop, const QString& uid, bool detached = false) {
    for (const auto& event : loop.modelled(uid))
        if (event->isDetached == detached)
            return event;
    return nullptr;
}

QStringList sorted(const QSet<QString>& uids) {
    QStringList result(uids.cbegin(), uids.cend());
    result.sort();
    return result;
}

TEST(CalendarControllerTest, TheSpanOfAChangeDependsOnTheRecurrence) {
    struct Case {
        const char* name;
        QString uid;
        bool detached;
        bool dropRule;
        std::optional<CalSpan> answer;
        QString expectedCall; // empty: nothing saved
        bool asked;
    };
    const Case cases[] = {
        {"single event", u"lunch"_s, false, false, std::nullopt, u"save lunch 0"_s, false},
        {"detached occurrence", u"standup"_s, true, false, std::nullopt, u"save standup 0"_s, false},
        {"rule removed", u"standup"_s, false, true, std::nullopt, u"save standup 2"_s, false},
        {"series, only this", u"standup"_s, false, false, CalSpan::ThisEvent, u"save standup 0"_s, true},
        {"series, future", u"standup"_s, false, false, CalSpan::FutureEvents, u"save standup 1"_s, true},
        {"series, cancelled", u"standup"_s, false, false, std::nullopt, QString(), true},
    };
    for (const Case& c : cases) {
        Loop loop;
        fill(loop);
        const auto old = first(loop, c.uid, c.detached);
        auto edited = old->copy();
        edited->title += u" edited"_s;
        if (c.dropRule)
            edited->recurrenceRule = nullptr;
        loop.interaction.setSpanAnswer(c.answer);
        EXPECT_EQ(loop.controller.replaceEvent(old, *edited), !c.expectedCall.isEmpty()) << c.name;
        EXPECT_EQ(loop.store.calls, c.expectedCall.isEmpty() ? QStringList() : QStringList{c.expectedCall})
            << c.name;
        EXPECT_EQ(loop.interaction.shown().size(), c.asked ? 1 : 0) << c.name;
    }

    Loop loop;
    fill(loop);
    loop.controller.removeEvent(*first(loop, u"standup"_s, true)); // asked, and cancelled
    loop.controller.removeEvent(*first(loop, u"lunch"_s));
    EXPECT_EQ(loop.store.calls, QStringList{u"remove lunch 0"_s});
    ASSERT_EQ(loop.interaction.shown().size(), 1);
    EXPECT_EQ(loop.interaction.shown()[0].title, u"Change a Recurring Event"_s);
}

TEST(CalendarControllerTest, EditsAndCreationsAreUndoneAndRedone) {
    Loop loop;
    fill(loop);
    const auto lunch = first(loop, u"lunch"_s);
    auto later = lunch->copy();
    later->title = u"late lunch"_s;
    later->startDate = later->startDate.addSecs(3600);
    later->endDate = later->endDate.addSecs(3600);
    ASSERT_TRUE(loop.controller.replaceEvent(lunch, *later));
    Loop::nextPass();
    loop.store.calls.clear();
    loop.undo.undo();
    EXPECT_EQ(loop.store.calls, (QStringList{u"remove lunch 2"_s, u"save lunch 2"_s}));
    EXPECT_EQ(first(loop, u"lunch"_s)->title, u"lunch"_s);
    EXPECT_EQ(first(loop, u"lunch"_s)->startDate, lunch->startDate);
    EXPECT_EQ(loop.stored(u"lunch"_s).value(0)->title, u"lunch"_s);
    loop.undo.redo();
    EXPECT_EQ(first(loop, u"lunch"_s)->title, u"late lunch"_s);

    auto faraway = first(loop, u"lunch"_s)->copy(); // out of the window, and back by undo
    faraway->startDate = faraway->startDate.addDays(300);
    faraway->endDate = faraway->endDate.addDays(300);
    ASSERT_TRUE(loop.controller.replaceEvent(first(loop, u"lunch"_s), *faraway));
    EXPECT_TRUE(loop.modelled(u"lunch"_s).isEmpty());
    Loop::nextPass();
    loop.undo.undo();
    EXPECT_EQ(first(loop, u"lunch"_s)->title, u"late lunch"_s);

    const auto created = loop.controller.createNewEvent();
    loop.controller.addEvent(*created);
    Loop::nextPass();
    loop.store.calls.clear();
    loop.undo.undo();
    EXPECT_TRUE(loop.modelled(created->uid).isEmpty());
    EXPECT_EQ(loop.store.calls, QStringList{u"remove %1 2"_s.arg(created->uid)});
    loop.undo.redo();
    ASSERT_EQ(loop.modelled(created->uid).size(), 1);

    // Removed meanwhile by another program: undoing the creation has nothing left to do.
    loop.changeExternally(
        [&] { (void)loop.store.removeEvent(*first(loop, created->uid), CalSpan::AllEvents); },
        {{}, {}, {created->uid}});
    loop.store.calls.clear();
    loop.undo.undo();
    EXPECT_TRUE(loop.store.calls.isEmpty());
    EXPECT_TRUE(loop.interaction.shown().isEmpty());
}

TEST(CalendarControllerTest, ARefusedSaveShowsOneAlertAndChangesNothing) {
    Loop loop;
    loop.makeCalendar(u"holidays"_s);
    loop.makeEvent(u"holidays"_s, u"new year"_s);
    loop.makeReadOnly(u"holidays"_s);
    loop.load();
    const auto before = loop.model.events();
    auto renamed = before.first()->copy();
    renamed->title = u"New Year"_s;
    ASSERT_TRUE(loop.controller.replaceEvent(before.first(), *renamed));
    ASSERT_EQ(loop.interaction.shown().size(), 1);
    EXPECT_EQ(loop.interaction.shown()[0].kind, Shown::StoreFailure);
    EXPECT_EQ(loop.model.events(), before);
    Loop::nextPass();
    EXPECT_FALSE(loop.undo.canUndo());
}

TEST(CalendarControllerTest, TheWindowGrowsOnlyBeyondItsEdges) {
    Loop loop;
    loop.makeCalendar(u"home"_s);
    loop.makeEvent(u"home"_s, u"beyond"_s, 200);
    loop.load();
    const QDateTime start = loop.controller.loadedRangeStartDate();
    const QDateTime end = loop.controller.loadedRangeEndDate();
    EXPECT_NEAR(double(start.secsTo(end)), 2 * 15'552'000.0, 60.0);
    EXPECT_TRUE(loop.modelled(u"beyond"_s).isEmpty());

    loop.controller.setNeedsRangeStartDate(start.addDays(1), end.addDays(-1));
    EXPECT_EQ(loop.controller.loadedRangeEndDate(), end);
    loop.controller.setNeedsRangeStartDate(start.addDays(1), end.addDays(1));
    EXPECT_EQ(loop.controller.loadedRangeStartDate(), start);
    EXPECT_EQ(loop.controller.loadedRangeEndDate(), end.addDays(1).addSecs(8'640'000));
    EXPECT_EQ(loop.modelled(u"beyond"_s).size(), 1);
    EXPECT_EQ(loop.storeController.changeApplier()->rangeEndDate(), loop.controller.loadedRangeEndDate());
}

TEST(CalendarControllerTest, EnabledCalendarsAreRestoredAndKept) {
    struct Case {
        const char* name;
        std::optional<QStringList> stored;
        QStringList expected;
    };
    const Case cases[] = {
        {"nothing stored: all", std::nullopt, {u"home"_s, u"work"_s}},
        {"unknown uid dropped", QStringList{u"gone"_s, u"work"_s}, {u"work"_s}},
        {"none switched on", QStringList{}, {}},
    };
    for (const Case& c : cases) {
        QTemporaryDir settings;
        const QString file = settings.filePath(u"verdalune.conf"_s);
        if (c.stored)
            UserDefaults(file).setValue(u"enabledCalendars"_s, *c.stored);
        Loop loop(file);
        loop.makeCalendar(u"home"_s);
        loop.makeCalendar(u"work"_s);
        loop.load();
        EXPECT_EQ(sorted(loop.model.enabledCalendarUids()), c.expected) << c.name;
        EXPECT_EQ(loop.defaults.contains(u"enabledCalendars"_s), c.stored.has_value()) << c.name;
        loop.model.setEnabledCalendarUids({u"home"_s});
        EXPECT_EQ(loop.defaults.value(u"enabledCalendars"_s).toStringList(), QStringList{u"home"_s})
            << c.name;
    }
}

TEST(CalendarControllerTest, CalDavCalendarsAreWarnedAboutOnce) {
    QTemporaryDir settings;
    for (int launch = 0; launch < 2; ++launch) {
        Loop loop(settings.filePath(u"verdalune.conf"_s));
        loop.makeCalendar(u"team"_s, true);
        loop.makeCalendar(u"family"_s, true);
        loop.load();
        loop.model.setCalendars(loop.model.calendars());
        ASSERT_EQ(loop.interaction.shown().size(), launch == 0 ? 1 : 0) << launch;
        const bool named =
            loop.interaction.shown().value(0).text.contains(u"the program that synchronizes them"_s);
        EXPECT_EQ(named, launch == 0);
    }
}

TEST(CalendarControllerTest, CalendarsAreCreatedSwitchedOnAndRemovedWithUndo) {
    Loop loop;
    loop.makeCalendar(u"home"_s);
    loop.makeEvent(u"home"_s, u"standup"_s, 0, 3);
    loop.makeEvent(u"home"_s, u"review"_s, 1);
    loop.makeEvent(u"home"_s, u"far"_s, 300); // outside the window the model holds
    loop.load();
    const auto created = loop.controller.createNewCalendar();
    EXPECT_EQ(created->title, u"New Calendar"_s);
    EXPECT_EQ(created->color, u"#4D4DFF"_s);
    EXPECT_NE(loop.controller.createNewCalendar()->uid, created->uid);
    ASSERT_FALSE(loop.controller.addCalendar(*created));
    EXPECT_TRUE(loop.model.enabledCalendarUids().contains(created->uid));
    EXPECT_EQ(loop.model.selectedCalendarUid(), created->uid);

    // Removed by the user, then again by redo; each undo brings it back switched on with its events.
    for (const auto& remove : {std::function<void()>([&] {
                                   loop.controller.removeCalendar(*loop.model.calendarWithUid(u"home"_s));
                               }),
                               std::function<void()>([&] { loop.undo.redo(); })}) {
        remove();
        EXPECT_FALSE(loop.model.calendarWithUid(u"home"_s));
        EXPECT_FALSE(loop.model.enabledCalendarUids().contains(u"home"_s));
        EXPECT_TRUE(loop.model.events().isEmpty());
        loop.undo.undo();
        EXPECT_TRUE(loop.model.calendarWithUid(u"home"_s));
        EXPECT_TRUE(loop.model.enabledCalendarUids().contains(u"home"_s));
        EXPECT_EQ(loop.model.events().size(), 4);
        EXPECT_EQ(loop.stored(u"far"_s).size(), 1);
    }
    EXPECT_TRUE(loop.interaction.shown().isEmpty());

    // Moved before the removal, as Remove Calendar does: every series goes, and comes back with undo.
    loop.undo.beginUndoGrouping();
    loop.controller.moveEventsInCalendar(*loop.model.calendarWithUid(u"home"_s),
                                         loop.model.calendarWithUid(created->uid));
    loop.controller.removeCalendar(*loop.model.calendarWithUid(u"home"_s));
    loop.undo.endUndoGrouping();
    for (const QString& uid : {u"standup"_s, u"review"_s, u"far"_s})
        EXPECT_EQ(loop.stored(uid).value(0)->calendar->uid, created->uid) << uid.toStdString();
    loop.undo.undo();
    for (const QString& uid : {u"standup"_s, u"review"_s, u"far"_s})
        EXPECT_EQ(loop.stored(uid).value(0)->calendar->uid, u"home"_s) << uid.toStdString();
    loop.undo.redo();
    EXPECT_EQ(loop.stored(u"far"_s).value(0)->calendar->uid, created->uid);
    EXPECT_TRUE(loop.interaction.shown().isEmpty());
}

TEST(CalendarStoreControllerTest, AThrowingCalendarSaveIsAnUnexpectedErrorNotShown) {
    Loop loop;
    loop.store.throwing = true;
    auto calendar = CalCalendar::calendar();
    calendar->uid = u"work"_s;
    calendar->title = u"Work"_s;
    const auto error = loop.storeController.saveCalendar(*calendar);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain, u"com.pellowick.verdalune.ErrorDomain"_s);
    EXPECT_EQ(error->code, 5);
    EXPECT_EQ(error->description,
              u"Something unexpected happened that prevented the calendar Work from being saved."_s);
    EXPECT_TRUE(loop.interaction.shown().isEmpty());
}

TEST(CalendarStoreControllerTest, ANewEventGoesToAnEditableCalendar) {
    // Of the calendars feed, holidays and work: the read-only ones, the selected one and the expected one.
    const QStringList cases[][3] = {{{u"feed"_s, u"holidays"_s}, {u"work"_s}, {u"work"_s}},
                                    {{u"feed"_s, u"holidays"_s}, {u"holidays"_s}, {u"work"_s}},
                                    {{u"feed"_s}, {QString()}, {u"holidays"_s}},
                                    {{u"feed"_s, u"holidays"_s, u"work"_s}, {u"feed"_s}, {QString()}}};
    for (const auto& [readOnly, selected, expected] : cases) {
        SCOPED_TRACE(readOnly.join(u' ').toStdString());
        Loop loop;
        for (const QString& uid : {u"feed"_s, u"holidays"_s, u"work"_s})
            loop.makeCalendar(uid);
        for (const QString& uid : readOnly)
            loop.makeReadOnly(uid);
        loop.load();
        loop.model.setSelectedCalendarUid(selected.front());
        const auto event = loop.controller.createNewEvent();
        EXPECT_EQ(event->calendar ? event->calendar->uid : QString(), expected.front());
        EXPECT_EQ(event->title, u"New Event"_s);
        EXPECT_FALSE(event->uid.isEmpty());
        EXPECT_EQ(event->startDate.toLocalTime(), QDateTime(QDate::currentDate(), QTime(12, 0)));
        EXPECT_EQ(event->startDate.secsTo(event->endDate), 3600);
    }
}

} // namespace
