// An imported invitation in the event editor: its people with their answers, and the user's answer
// written into the calendar file, undoably, with everything else of the file left as it was.
#include "editing/EditEventController.h"

#include "EditorTestSupport.h"
#include "LoopTestSupport.h"
#include "editing/InvitationView.h"
#include "entry/ParsingController.h"
#include "store/ProgramAlarmApprovals.h"
#include "store/ics/IcsDocument.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A weekly meeting from Wednesday 9 December 2026 whose second occurrence moved, as a mail program
// hands it over.
const QByteArray INVITATION =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Peer//Mail//EN\r\nMETHOD:REQUEST\r\n"
    "BEGIN:VEVENT\r\nUID:weekly-sync\r\nDTSTAMP:20261201T000000Z\r\nSEQUENCE:2\r\n"
    "DTSTART:20261209T150000Z\r\nDTEND:20261209T160000Z\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\n"
    "SUMMARY:Weekly sync\r\nORGANIZER;CN=Olga Organiser:mailto:olga@example.org\r\n"
    "ATTENDEE;CN=Olga Organiser;ROLE=CHAIR;PARTSTAT=ACCEPTED:mailto:olga@example.org\r\n"
    "ATTENDEE;CN=Me Myself;PARTSTAT=NEEDS-ACTION;RSVP=TRUE;X-NUM-GUESTS=0:mailto:Me@Example.org\r\n"
    "ATTENDEE;PARTSTAT=DECLINED:mailto:bob@example.org\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:weekly-sync\r\nRECURRENCE-ID:20261216T150000Z\r\nDTSTAMP:20261201T000000Z\r\n"
    "SEQUENCE:2\r\nDTSTART:20261216T170000Z\r\nDTEND:20261216T180000Z\r\nSUMMARY:Weekly sync (moved)\r\n"
    "ORGANIZER;CN=Olga Organiser:mailto:olga@example.org\r\n"
    "ATTENDEE;CN=Me Myself;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:mailto:me@example.org\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

class InvitationAnswerTest : public ::testing::Test {
protected:
    InvitationAnswerTest() {
        loop.makeCalendar(u"home"_s);
        loop.load();
        loop.controller.setNeedsRangeStartDate(QDateTime(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC),
                                               QDateTime(QDate(2027, 1, 31), QTime(0, 0), Qt::UTC));
        if (!loop.store.importCalendarText(u"home"_s, INVITATION).error.has_value())
            loop.nextPass();
    }
    // The occurrence that starts on that day of December.
    std::shared_ptr<CalEvent> occurrence(int day) const {
        for (const auto& event : loop.modelled(u"weekly-sync"_s))
            if (event->startDate.date() == QDate(2026, 12, day))
                return event;
        return nullptr;
    }
    // For each VEVENT of the file, the parameters of the user's ATTENDEE line that answer.
    QStringList myAnswers() const {
        IcsDocument document = IcsDocument::parse(loop.file(u"home"_s, u"weekly-sync"_s));
        QStringList answers;
        for (IcsComponent* event : document.events(u"weekly-sync"_s))
            for (const ContentLine& line : event->properties(u"ATTENDEE"))
                if (CalAttendee({}, CalAttendee::addressOf(line.value())).hasAddress(u"me@example.org"_s))
                    answers << line.parameter(u"PARTSTAT").join(u',') + u' ' +
                                   line.parameter(u"RSVP").join(u',');
        return answers;
    }
    InvitationView& view() const { return *editor.invitationView(); }
    QStringList shownPeople() const {
        QStringList people;
        for (int row = 0; row < view().attendeeList()->count(); ++row)
            people << view().attendeeList()->item(row)->data(Qt::AccessibleTextRole).toString();
        return people;
    }
    void answer(CalAttendee::Status status, CalSpan span) {
        QTest::mouseClick(view().answerButton(status), Qt::LeftButton);
        loop.interaction.setSpanAnswer(span);
        editor.okAction();
        loop.nextPass();
    }

    Loop loop;
    ParsingController parsing;
    QTemporaryDir state;
    ProgramAlarmApprovals approvals{state.filePath(u"program-alarms.json"_s)};
    EditEventController editor{loop.model, loop.controller, loop.undo, usEventDescription(),
                               parsing,    loop.defaults,   approvals};
};

} // namespace

TEST_F(InvitationAnswerTest, ShowsThePeopleAndAnswersForTheWholeSeriesUndoably) {
    ASSERT_TRUE(occurrence(9));
    const QByteArray imported = loop.file(u"home"_s, u"weekly-sync"_s);
    editor.showWithEvent(occurrence(9));
    EXPECT_TRUE(view().isVisibleTo(&editor));
    EXPECT_EQ(view().organizerLabel()->text(), u"Organizer: Olga Organiser <olga@example.org>"_s);
    EXPECT_EQ(shownPeople(), (QStringList{u"Olga Organiser, accepted"_s, u"Me Myself, no answer yet"_s,
                                          u"bob@example.org, declined"_s}));
    // Without the user's address nothing tells which attendee is the user.
    EXPECT_FALSE(view().answerButton(CalAttendee::Accepted)->isVisibleTo(&editor));
    EXPECT_TRUE(view().hintLabel()->isVisibleTo(&editor));
    editor.cancelAction();

    loop.defaults.setValue(u"myAddresses"_s, QStringList{u"me@example.org"_s});
    editor.showWithEvent(occurrence(9));
    EXPECT_FALSE(view().hintLabel()->isVisibleTo(&editor));
    for (const auto status : {CalAttendee::Accepted, CalAttendee::Tentative, CalAttendee::Declined})
        EXPECT_FALSE(view().answerButton(status)->isChecked());
    answer(CalAttendee::Accepted, CalSpan::AllEvents);
    EXPECT_FALSE(editor.isVisible());
    // Every occurrence answers, the moved one too; nothing is asked again, and the organiser's revision
    // stays.
    EXPECT_EQ(myAnswers(), (QStringList{u"ACCEPTED "_s, u"ACCEPTED "_s}));
    const QByteArray answered = loop.file(u"home"_s, u"weekly-sync"_s);
    for (const char* kept :
         {"ATTENDEE;CN=Olga Organiser;ROLE=CHAIR;PARTSTAT=ACCEPTED:mailto:olga@example.org\r\n",
          "ATTENDEE;PARTSTAT=DECLINED:mailto:bob@example.org\r\n", "X-NUM-GUESTS=0",
          "RRULE:FREQ=WEEKLY;COUNT=4\r\n", "SUMMARY:Weekly sync (moved)\r\n"})
        EXPECT_TRUE(answered.contains(kept)) << kept;
    EXPECT_EQ(answered.count("SEQUENCE:2\r\n"), 2);
    EXPECT_FALSE(answered.contains("METHOD")) << "a stored object carries no scheduling method";
    ASSERT_TRUE(occurrence(16));
    EXPECT_EQ(occurrence(16)->attendees.front().status, CalAttendee::Accepted);

    editor.showWithEvent(occurrence(23));
    EXPECT_TRUE(view().answerButton(CalAttendee::Accepted)->isChecked());
    editor.cancelAction();
    loop.undo.undo();
    loop.nextPass();
    EXPECT_EQ(myAnswers(), (QStringList{u"NEEDS-ACTION TRUE"_s, u"NEEDS-ACTION TRUE"_s}));
    EXPECT_EQ(loop.file(u"home"_s, u"weekly-sync"_s), imported);
}

TEST_F(InvitationAnswerTest, AnswersOneOccurrenceAndNeverTheOrganisersOwnMeeting) {
    loop.defaults.setValue(u"myAddresses"_s, QStringList{u"someone@example.org"_s, u"ME@example.org"_s});
    ASSERT_TRUE(occurrence(23));
    editor.showWithEvent(occurrence(23));
    answer(CalAttendee::Declined, CalSpan::ThisEvent);
    // The series keeps its answer; the declined occurrence has one of its own.
    EXPECT_EQ(myAnswers(), (QStringList{u"NEEDS-ACTION TRUE"_s, u"NEEDS-ACTION TRUE"_s, u"DECLINED "_s}));
    ASSERT_TRUE(occurrence(23));
    EXPECT_TRUE(occurrence(23)->isDetached);
    EXPECT_EQ(occurrence(9)->attendees[1].status, CalAttendee::NeedsAction);

    loop.defaults.setValue(u"myAddresses"_s, QStringList{u"olga@example.org"_s});
    editor.showWithEvent(occurrence(9));
    EXPECT_FALSE(view().answerButton(CalAttendee::Accepted)->isVisibleTo(&editor));
    EXPECT_FALSE(view().hintLabel()->isVisibleTo(&editor));
}
