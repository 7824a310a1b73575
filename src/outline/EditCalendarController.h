#pragma once

#include "records/CalCalendar.h"

#include <QDialog>

#include <memory>

class CalendarColorButton;
class CalendarController;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class UndoManager;

// The dialog that creates a calendar or changes the title and colour of one, modal to the window it is
// shown on. It works on a copy; OK saves it through the calendar controller. When the store refuses, the
// dialog stays open and tells why.
class EditCalendarController : public QDialog {
    Q_OBJECT
public:
    EditCalendarController(CalendarController& calendarController, UndoManager& undoManager,
                           QWidget* parent = nullptr);

    void showNewCalendar(QWidget* window);
    void showEditCalendar(const CalCalendar& calendar, QWidget* window);

    // The working copy; none before the first showing.
    const std::shared_ptr<CalCalendar>& calendar() const { return m_calendar; }

    void okAction();

    QLineEdit* titleField() const { return m_titleField; }
    CalendarColorButton* colorButton() const { return m_colorButton; }
    QLabel* errorLabel() const { return m_errorLabel; }
    QPushButton* okButton() const { return m_okButton; }

private:
    void buildInterface();
    void showCalendar(std::shared_ptr<CalCalendar> calendar, bool isNew, QWidget* window);
    void updateOkButton();

    CalendarController& m_calendarController;
    UndoManager& m_undoManager;
    std::shared_ptr<CalCalendar> m_calendar;
    bool m_shouldCreateNewCalendar = false;
    QLineEdit* m_titleField = nullptr;
    CalendarColorButton* m_colorButton = nullptr;
    QLabel* m_errorLabel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_okButton = nullptr;
};
