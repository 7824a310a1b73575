#pragma once

#include "dates/CalendarDate.h"

#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QPushButton>

#include <memory>

class EventDescription;
class ParsingController;
class TimelineViewController;

// The go-to-date sheet: the user types a date in the entry language ("next friday", "3/4", "dec 24 9am")
// or picks one, and the timeline centres on it while the user types. Go (or Return) keeps the new date;
// Escape puts the timeline back where it was when the sheet opened.
//
// `date` is bound two-way to the timeline controller's centred date: setting it moves the timeline, and
// the timeline moving by other means changes it. "Now", for reading the typed text and for describing a
// picked date, is the timeline view's clock.
class GoToDateController : public QObject {
    Q_OBJECT
public:
    GoToDateController(std::shared_ptr<EventDescription> eventDescription,
                       ParsingController& parsingController, TimelineViewController& timelineViewController,
                       QObject* parent = nullptr);
    ~GoToDateController() override;

    // Builds the sheet over `window` on first use, empties the text field, remembers the timeline's date
    // and opens the sheet, modal to the window. Returns at once; the sheet ends by Go or Escape.
    void showGoToDate(QWidget* window);

    const CalendarDate& date() const { return m_date; }
    // Always pushes the date to the timeline, also when it is the one it shows.
    void setDate(const CalendarDate& date);
    const CalendarDate& oldDate() const { return m_oldDate; }

    // Go or Return: ends the sheet with return code 1; the timeline stays on the new date.
    void endSheet();
    // Escape: the timeline goes back to the old date; ends the sheet with return code 0.
    void cancelOperation();
    // The date picker's change: the picked day becomes the date, and its description the field's text.
    void datePickerAction();

    // The sheet and its parts; none before the first showGoToDate.
    QDialog* sheet() const { return m_sheet; }
    QLineEdit* commandTextField() const { return m_commandTextField; }
    QDateEdit* datePicker() const { return m_datePicker; }
    QPushButton* goButton() const { return m_goButton; }

signals:
    // After the sheet has closed: 1 for Go, 0 for Escape.
    void sheetDidEnd(int returnCode);

private:
    void loadSheet(QWidget* window);
    void placeSheet(QWidget* window);
    void commandTextDidChange(const QString& text);
    void setTextValid(bool valid);
    void showDateInPicker();
    void sheetFinished(int returnCode);
    CalendarDate now() const;

    std::shared_ptr<EventDescription> m_eventDescription;
    ParsingController& m_parsingController;
    TimelineViewController& m_timelineViewController;
    CalendarDate m_date;
    CalendarDate m_oldDate;
    bool m_isPushingDate = false;
    bool m_isWritingText = false;
    QPointer<QDialog> m_sheet;
    // The sheet's window owns them all.
    QPointer<QLineEdit> m_commandTextField;
    QPointer<QDateEdit> m_datePicker;
    QPointer<QPushButton> m_goButton;
};
