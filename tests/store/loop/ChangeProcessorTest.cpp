#include "EventLoopWait.h"
#include "LoopTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

EventList sortedByOccurrence(EventList events) {
    std::sort(events.begin(), events.end(),
              [](const auto& a, const auto& b) { return a->occurrence < b->occurrence; });
    return events;
}

QStringList described(const EventList& events) {
    QStringList result;
    for (const auto& event : sortedByOccurrence(events))
        result.append(u"%1 %2 %3"_s.arg(event->title, event->startDate.toString(Qt::ISODate))
                          .arg(event->isDetached ? u"detached"_s : QString()));
    return result;
}

// "lunch" and a daily "standup" of five, whose third occurrence was moved on its own and fourth removed.
class ChangeProcessorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_loop.makeCalendar(u"home"_s);
        m_loop.makeEvent(u"home"_s, u"lunch"_s);
        m_loop.makeEvent(u"home"_s, u"standup"_s, 0, 5);
        const EventList standups = sortedByOccurrence(m_loop.stored(u"standup"_s));
        auto moved = standups[2]->copy();
        moved->title = u"standup moved"_s;
        moved->startDate = moved->startDate.addSecs(1800);
        moved->endDate = moved->endDate.addSecs(1800);
        ASSERT_FALSE(m_loop.store.saveEvent(*moved, CalSpan::ThisEvent));
        ASSERT_FALSE(m_loop.store.removeEvent(*standups[3], CalSpan::ThisEvent));
        m_loop.load();
        m_loop.store.calls.clear();
    }
    std::shared_ptr<CalEvent> standup(int index) {
        return sortedByOccurrence(m_loop.modelled(u"standup"_s)).value(index);
    }
    Loop m_loop;
};

TEST_F(ChangeProcessorTest, OthersChangesAreMirroredDeletionsFirstWithoutUndo) {
    QStringList seen;
    QObject::connect(&m_loop.model, &ApplicationModel::eventsChanged, [&] {
        const auto lunch = m_loop.modelled(u"lunch"_s);
        seen.append(u"standup %1 dinner %2 %3"_s.arg(m_loop.modelled(u"standup"_s).size())
                        .arg(m_loop.modelled(u"dinner"_s).size())
                        .arg(lunch.value(0)->title));
    });
    m_loop.changeExternally(
        [&] {
            auto renamed = m_loop.stored(u"lunch"_s).first()->copy();
            renamed->title = u"long lunch"_s;
            ASSERT_FALSE(m_loop.store.saveEvent(*renamed, CalSpan::AllEvents));
            ASSERT_FALSE(m_loop.store.removeEvent(*m_loop.stored(u"standup"_s).first(), CalSpan::AllEvents));
            m_loop.makeEvent(u"home"_s, u"dinner"_s);
        },
        {{u"dinner"_s}, {u"lunch"_s}, {u"standup"_s}});

    EXPECT_EQ(seen, (QStringList{u"standup 0 dinner 0 lunch"_s, u"standup 0 dinner 1 lunch"_s,
                                 u"standup 0 dinner 1 long lunch"_s}));
    Loop::nextPass();
    EXPECT_FALSE(m_loop.undo.canUndo());
}

TEST_F(ChangeProcessorTest, AFailureStopsTheRestAndIsShownOnce) {
    m_loop.store.throwing = true;
    emit m_loop.store.eventsChangedExternally({{u"dinner"_s}, {}, {u"lunch"_s}});

    EXPECT_TRUE(m_loop.modelled(u"lunch"_s).isEmpty()); // deleted before the failure
    ASSERT_EQ(m_loop.interaction.shown().size(), 1);
    EXPECT_EQ(m_loop.interaction.shown()[0].title,
              u"There was an unexpected error while handling changes to the calendar."_s);
    EXPECT_TRUE(m_loop.interaction.shown()[0].text.contains(
        u"report this error to support@pellowick.example\n\ninjected"_s));
}

TEST_F(ChangeProcessorTest, ARemovedSeriesIsRestoredAsItWasAndRemovedAgainByRedo) {
    const QStringList before = described(m_loop.modelled(u"standup"_s));
    ASSERT_EQ(before.size(), 4);
    ASSERT_TRUE(before[2].startsWith(u"standup moved"_s) && before[2].endsWith(u"detached"_s));
    const QDateTime selected = standup(1)->occurrence;
    m_loop.model.setSelectedEvent(standup(1));

    m_loop.storeController.removeEvent(*standup(0), CalSpan::AllEvents);
    EXPECT_TRUE(m_loop.modelled(u"standup"_s).isEmpty());
    Loop::nextPass();
    m_loop.undo.undo();
    EXPECT_EQ(described(m_loop.modelled(u"standup"_s)), before);
    EXPECT_EQ(described(m_loop.stored(u"standup"_s)), before);
    EXPECT_EQ(m_loop.store.calls.mid(0, 3),
              (QStringList{u"remove standup 2"_s, u"save standup 2"_s, u"save standup 0"_s}));
    ASSERT_TRUE(m_loop.model.events().contains(m_loop.model.selectedEvent()));
    EXPECT_EQ(m_loop.model.selectedEvent()->occurrence, selected);

    m_loop.undo.redo();
    EXPECT_TRUE(m_loop.modelled(u"standup"_s).isEmpty());
    EXPECT_TRUE(m_loop.stored(u"standup"_s).isEmpty());
    m_loop.undo.undo();
    EXPECT_EQ(described(m_loop.stored(u"standup"_s)), before);
    EXPECT_TRUE(m_loop.interaction.shown().isEmpty());
}

TEST_F(ChangeProcessorTest, ARefusedRestoreIsShownAndEndsTheUndo) {
    m_loop.storeController.removeEvent(*standup(0), CalSpan::AllEvents);
    Loop::nextPass();
    m_loop.makeReadOnly(u"home"_s);
    m_loop.undo.undo(); // the series is not saved, so its detached occurrence cannot be refetched
    ASSERT_EQ(m_loop.interaction.shown().size(), 2);
    EXPECT_EQ(m_loop.interaction.shown()[0].kind, NonInteractiveUserInteraction::Shown::StoreFailure);
    EXPECT_TRUE(m_loop.interaction.shown()[1].text.contains(u"Could not refetch"_s));
    EXPECT_FALSE(m_loop.undo.isUndoing());
}

// Undo and redo over a sync: another program's version (a file renamed over ours) is never overwritten
// without the user's word, and a step the user keeps stays on its stack.
TEST_F(ChangeProcessorTest, AnUndoOverAnotherProgramsChangeAsksFirst) {
    using Shown = NonInteractiveUserInteraction::Shown;
    const auto retitle = [&](const QString& title) {
        auto lunch = m_loop.modelled(u"lunch"_s).first()->copy();
        lunch->title = title;
        m_loop.storeController.saveEvent(*lunch, CalSpan::AllEvents);
        Loop::nextPass();
    };
    retitle(u"lunch at noon"_s);
    const QByteArray theirs = m_loop.rewriteAsSync(u"home"_s, u"lunch"_s, u"lunch by the server"_s);
    ASSERT_FALSE(theirs.isEmpty());
    // Ctrl+Z before the watcher has told: the change is taken in first.
    m_loop.undo.undo();
    ASSERT_EQ(m_loop.interaction.shown().size(), 1);
    EXPECT_EQ(m_loop.interaction.shown()[0].kind, Shown::OverwriteQuestion);
    EXPECT_EQ(m_loop.interaction.shown()[0].title,
              u"“lunch by the server” was changed by another program after this change. Undoing it would "
              "overwrite that change."_s);
    EXPECT_EQ(m_loop.interaction.shown()[0].text, u"Undo Anyway"_s);
    EXPECT_EQ(m_loop.file(u"home"_s, u"lunch"_s), theirs);
    EXPECT_EQ(m_loop.modelled(u"lunch"_s).first()->title, u"lunch by the server"_s);
    EXPECT_TRUE(m_loop.undo.canUndo()) << "Cancel keeps the step";
    EXPECT_FALSE(m_loop.undo.canRedo());

    m_loop.interaction.setOverwriteAnswer(true);
    m_loop.undo.undo();
    EXPECT_EQ(m_loop.modelled(u"lunch"_s).first()->title, u"lunch"_s);
    EXPECT_EQ(m_loop.stored(u"lunch"_s).first()->title, u"lunch"_s);
    m_loop.undo.redo(); // nobody changed it since the undo: no question
    EXPECT_EQ(m_loop.interaction.shown().size(), 2);
    EXPECT_EQ(m_loop.stored(u"lunch"_s).first()->title, u"lunch at noon"_s);

    // Our own steps over one event never count as another's change; one made before another program's
    // change does, also when a later step of ours built on that change.
    m_loop.interaction.setOverwriteAnswer(false);
    retitle(u"second"_s);
    ASSERT_FALSE(m_loop.rewriteAsSync(u"home"_s, u"lunch"_s, u"synced"_s).isEmpty());
    ASSERT_TRUE(waitFor([&] { return m_loop.modelled(u"lunch"_s).first()->title == u"synced"_s; }));
    retitle(u"third"_s);
    m_loop.undo.undo();
    EXPECT_EQ(m_loop.stored(u"lunch"_s).first()->title, u"synced"_s);
    EXPECT_EQ(m_loop.interaction.shown().size(), 2);
    m_loop.undo.undo();
    EXPECT_EQ(m_loop.interaction.shown().size(), 3);
    EXPECT_EQ(m_loop.stored(u"lunch"_s).first()->title, u"synced"_s);
}

TEST_F(ChangeProcessorTest, UndoingANewEventThatAnotherProgramChangedAsksBeforeDeletingIt) {
    auto dinner = m_loop.controller.createNewEvent();
    dinner->uid = u"dinner"_s;
    dinner->title = u"dinner"_s;
    dinner->calendar = m_loop.model.calendarWithUid(u"home"_s);
    dinner->startDate = QDateTime(QDate::currentDate().addDays(2), QTime(19, 0), Qt::UTC);
    dinner->endDate = dinner->startDate.addSecs(3600);
    m_loop.controller.addEvent(*dinner);
    Loop::nextPass();
    ASSERT_FALSE(m_loop.rewriteAsSync(u"home"_s, u"dinner"_s, u"dinner with guests"_s).isEmpty());
    ASSERT_TRUE(
        waitFor([&] { return m_loop.modelled(u"dinner"_s).first()->title == u"dinner with guests"_s; }));
    m_loop.undo.undo();
    ASSERT_EQ(m_loop.interaction.shown().size(), 1);
    EXPECT_TRUE(m_loop.interaction.shown()[0].title.startsWith(u"“dinner with guests” was changed"_s));
    EXPECT_EQ(m_loop.stored(u"dinner"_s).size(), 1);
    m_loop.interaction.setOverwriteAnswer(true);
    m_loop.undo.undo();
    EXPECT_TRUE(m_loop.stored(u"dinner"_s).isEmpty());
    EXPECT_TRUE(m_loop.modelled(u"dinner"_s).isEmpty());
    EXPECT_TRUE(m_loop.undo.canRedo());
}

} // namespace
