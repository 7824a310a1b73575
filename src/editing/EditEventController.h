#pragma once

#include "AlarmListEditor.h"
#include "DateOffsetValueTransformer.h"
#include "dates/CalendarDate.h"
#include "records/CalEvent.h"
#include "store/EventEditSession.h"
#include "store/UserInteraction.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class AlarmSettingsViewController;
class ApplicationModel;
class CalEventBuilder;
class BaseCalendarController;
class CommandFieldHighlighter;
class CommandFieldTextViewDelegate;
class EventDescription;
class GridView;
class InvitationView;
class ParsingController;
class ProgramAlarmApprovals;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RecurrenceSettingsViewController;
class ScreenFittedScrollArea;
class SoundPlayer;
class TextViewWithCompletion;
class UndoManager;
class UserDefaults;

// The panel in which one event is created or edited: a command field that shows the event in the entry
// language and takes a typed line that describes it anew, the fields for title, dates, all-day,
// calendar, location and notes, an invitation's people with the user's answer, the recurrence panel and one
// row per alarm (and an empty one for a new alarm). It works on a private copy; nothing reaches the store
// before OK.
class EditEventController : public QDialog, public AlarmListEditor {
    Q_OBJECT
public:
    static inline const QString FRAME_KEY = QStringLiteral("EditEventPanel");

    EditEventController(ApplicationModel& model, BaseCalendarController& calendarController,
                        UndoManager& undoManager, std::shared_ptr<EventDescription> eventDescription,
                        ParsingController& parsingController, UserDefaults& userDefaults,
                        ProgramAlarmApprovals& programApprovals, QWidget* parent = nullptr);
    ~EditEventController() override;

    void showWithNewEvent(const std::shared_ptr<CalEvent>& event);
    void showWithEvent(const std::shared_ptr<CalEvent>& event);

    // The working copy; none while the panel is hidden.
    const std::shared_ptr<CalEvent>& event() const;
    bool isNewEvent() const;
    // An all-day event must end after it starts; a timed one must not end before.
    bool isValid() const;
    // The moment the command field's text is read and written against; now by default.
    void setReferenceDateProvider(std::function<CalendarDate()> provider);

    void okAction();
    void cancelAction();
    void allDayAction();
    // The user's answer to an invitation that names them.
    void answerAction(CalAttendee::Status status);
    void addAlarm(const std::shared_ptr<CalAlarm>& alarm) override;
    void removeAlarm(const std::shared_ptr<CalAlarm>& alarm) override;
    void programChosen(const CalAlarm& alarm) override;
    bool mayRunProgram(const CalAlarm& alarm) const override;

    TextViewWithCompletion* commandField() const { return m_commandField; }
    CommandFieldHighlighter* commandFieldHighlighter() const { return m_commandFieldHighlighter; }
    QLineEdit* titleField() const { return m_titleField; }
    QDateTimeEdit* startDatePicker() const { return m_startDatePicker; }
    QDateTimeEdit* endDatePicker() const { return m_endDatePicker; }
    QCheckBox* isAllDayCheckbox() const { return m_isAllDayCheckbox; }
    QComboBox* calendarPopUp() const { return m_calendarPopUp; }
    QLineEdit* locationField() const { return m_locationField; }
    QPlainTextEdit* notesField() const { return m_notesField; }
    InvitationView* invitationView() const { return m_invitationView; }
    QPushButton* okButton() const { return m_okButton; }
    GridView* gridView() const { return m_gridView; }
    RecurrenceSettingsViewController* recurrenceViewController() const { return m_recurrenceViewController; }
    // The rows in alarm order, the empty row last.
    const QList<AlarmSettingsViewController*>& alarmViewControllers() const { return m_alarmViewControllers; }

signals:
    // After OK on a new event, with the stored occurrence of it (none when the store refused).
    void didCreateNewEvent(std::shared_ptr<CalEvent> stored);
    // The working copy changed (a copy of it; none: the panel closed), with the stored record it was opened
    // on (none for a new event).
    void editedEventChanged(std::shared_ptr<CalEvent> edited, std::shared_ptr<CalEvent> original);
    // Help or F1: the user guide on the editor.
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildWindow();
    void showSession();
    const std::shared_ptr<CalEvent>& edited() const { return event(); }
    void refreshCalendarNames();
    QStringList myAddresses() const;
    void showInvitation();
    void showEventInFields();
    void showDescription();
    void formatDatePickers();
    void refreshValidity();
    void commandFieldDidChange();
    void titleAction();
    void startDateAction();
    void endDateAction();
    void calendarAction();
    void directEditDidEnd();
    void modelEventsChanged();
    UserInteraction::EditConflictAnswer askKeepMineOrTheirs();
    void closeImpl();
    void rebuildAlarmRows();
    void addAlarmRow(const std::shared_ptr<CalAlarm>& alarm);
    void announceChange();
    CalendarDate referenceDate() const;
    // The program alarms of the edited event whose program the user chose, here or before.
    QList<std::shared_ptr<CalAlarm>> programAlarmsThatMayRun() const;
    // Keeps those choices for the event as it was saved.
    void approvePrograms(const CalEvent& saved, const QList<std::shared_ptr<CalAlarm>>& alarms);

    ApplicationModel& m_model;
    BaseCalendarController& m_calendarController;
    UndoManager& m_undoManager;
    std::shared_ptr<EventDescription> m_eventDescription;
    ParsingController& m_parsingController;
    UserDefaults& m_userDefaults;
    ProgramAlarmApprovals& m_programApprovals;
    std::unique_ptr<CalEventBuilder> m_eventBuilder;
    DateOffsetValueTransformer m_endDateTransformer;
    std::function<CalendarDate()> m_referenceDateProvider;

    TextViewWithCompletion* m_commandField = nullptr;
    CommandFieldTextViewDelegate* m_commandFieldDelegate = nullptr;
    CommandFieldHighlighter* m_commandFieldHighlighter = nullptr;
    QLineEdit* m_titleField = nullptr;
    QDateTimeEdit* m_startDatePicker = nullptr;
    QDateTimeEdit* m_endDatePicker = nullptr;
    QCheckBox* m_isAllDayCheckbox = nullptr;
    QComboBox* m_calendarPopUp = nullptr;
    QLineEdit* m_locationField = nullptr;
    QPlainTextEdit* m_notesField = nullptr;
    InvitationView* m_invitationView = nullptr;
    QFormLayout* m_form = nullptr;
    GridView* m_gridView = nullptr;
    // The fields between the command field and the buttons.
    ScreenFittedScrollArea* m_body = nullptr;
    RecurrenceSettingsViewController* m_recurrenceViewController = nullptr;
    GridView* m_alarmsGridView = nullptr;
    QList<AlarmSettingsViewController*> m_alarmViewControllers;
    std::unique_ptr<SoundPlayer> m_soundPlayer;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_okButton = nullptr;

    std::optional<EventEditSession> m_session; // none while the panel is hidden
    // The programs, with their arguments, that the user chose for alarms since the panel was shown.
    QList<std::pair<QUrl, QString>> m_chosenPrograms;
    // Set while the fields are filled from the event, so that they do not write it back.
    bool m_showing = false;
};
