#pragma once

#include "records/CalEvent.h"

#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;

// An invitation's organiser and attendees with their answers, and the user's own answer when one of the
// attendees is the user. Shows; the editor changes the event when an answer is chosen.
class InvitationView : public QWidget {
    Q_OBJECT
public:
    explicit InvitationView(QWidget* parent = nullptr);

    // Whether the event is an invitation: it names an organiser or attendees.
    static bool isInvitation(const CalEvent& event);
    // Shows the people of `event`; the answer buttons when an attendee has one of `myAddresses`, enabled
    // when the event can be changed.
    void setEvent(const CalEvent& event, const QStringList& myAddresses, bool editable);

    QLabel* organizerLabel() const { return m_organizerLabel; }
    QListWidget* attendeeList() const { return m_attendeeList; }
    // Accept, Maybe, Decline.
    QPushButton* answerButton(CalAttendee::Status status) const;
    QLabel* hintLabel() const { return m_hintLabel; }

signals:
    void answerChosen(CalAttendee::Status status);

private:
    QLabel* m_organizerLabel;
    QListWidget* m_attendeeList;
    QWidget* m_answerRow;
    QButtonGroup* m_answers;
    QLabel* m_hintLabel;
};
