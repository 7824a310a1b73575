#pragma once

#include "store/CalendarStore.h"

#include <QDialog>

#include <memory>

class ApplicationModel;
class CalendarController;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;
class UndoManager;

// The dialog that removes a calendar, modal to the window it is shown on: the selected calendar, else the
// first one. Its events go with it, or are first moved into another editable calendar the user picks (the
// choice offered first, where there is one). The whole removal is one step to undo.
class RemoveCalendarController : public QDialog {
    Q_OBJECT
public:
    RemoveCalendarController(ApplicationModel& model, CalendarController& calendarController,
                             UndoManager& undoManager, QWidget* parent = nullptr);

    // False, showing nothing, when there is no calendar to remove.
    bool showRemoveCalendar(QWidget* window);

    const std::shared_ptr<CalCalendar>& calendar() const { return m_calendar; }
    // The calendars its events can move to, in the calendar sort order: the other editable ones.
    CalendarList moveToCalendars() const;
    bool shouldMoveEvents() const;

    void okAction();

    QLabel* messageLabel() const { return m_messageLabel; }
    QRadioButton* removeEventsButton() const { return m_removeEventsButton; }
    QRadioButton* moveEventsButton() const { return m_moveEventsButton; }
    // One entry per calendar of moveToCalendars, in that order.
    QListWidget* moveToList() const { return m_moveToList; }
    QPushButton* okButton() const { return m_okButton; }

private:
    void buildInterface();
    void calendarsChanged();
    void refreshMoveToList();
    void updateControls();
    std::shared_ptr<CalCalendar> selectedTarget() const;

    ApplicationModel& m_model;
    CalendarController& m_calendarController;
    UndoManager& m_undoManager;
    std::shared_ptr<CalCalendar> m_calendar;
    CalendarList m_moveToCalendars; // as listed
    QLabel* m_messageLabel = nullptr;
    QRadioButton* m_removeEventsButton = nullptr;
    QRadioButton* m_moveEventsButton = nullptr;
    QListWidget* m_moveToList = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    qsizetype m_seriesCount = 0; // of the calendar shown, on disk
};
