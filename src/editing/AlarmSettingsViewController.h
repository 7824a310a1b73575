#pragma once

#include "records/CalAlarm.h"
#include "records/CalEvent.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class AlarmListEditor;
class GridView;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class SoundPlayer;
class TimeIntervalPicker;
class UserDefaults;

// One alarm of the edited event as a row of the event editor: one pop-up for quick alarm times and what
// the alarm does, then the controls of its time, its sound or its program. An alarm without an action is
// the editor's empty row; choosing anything but "No Alert" in it makes it an alarm of the event.
class AlarmSettingsViewController : public QWidget {
    Q_OBJECT
public:
    // The tags of the type pop-up's action entries.
    enum ActionTag { NoAlertTag = 1, MessageTag = 2, RunTag = 4, SoundTag = 5 };
    // Returns the program chosen in a file dialog over `parent`, or none when the user cancelled.
    using ProgramPicker = std::function<std::optional<QUrl>(QWidget* parent)>;

    // `index` (the alarm's place in the event) is not needed by the row itself.
    AlarmSettingsViewController(std::shared_ptr<CalAlarm> alarm, int index, std::shared_ptr<CalEvent> event,
                                AlarmListEditor& editor, UserDefaults& defaults, SoundPlayer& player,
                                QWidget* parent = nullptr);

    static int alarmActionAsTag(CalAlarm::Action action);

    const std::shared_ptr<CalAlarm>& alarm() const { return m_alarm; }
    void setProgramPicker(ProgramPicker picker) { m_programPicker = std::move(picker); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    void buildTypeEntries();
    void placeControls();
    void typeChosen(int index);
    void initializeIfNew();
    void quickAlarmAction(double relativeTrigger);
    void noAlarmAction();
    void messageAction();
    void procedureAction();
    void soundAction();
    void urlPickerAction();
    void soundNameAction(const QString& name);
    void timeIntervalAction(double seconds);
    void absoluteTriggerAction(const QDateTime& moment);
    // The chosen program, or none; a cancelled choice removes an alarm that was new. A chosen one is the
    // user's choice on this computer, so the alarm may run it.
    std::optional<QUrl> pickProgram(bool removeWhenCancelled);
    void showProgram();
    // Shows the alarm as it is now: the selected type entry, which controls are shown and their values.
    void showAlarm();

    GridView* m_gridView;
    QLabel* m_typeLabel;
    QComboBox* m_typeController;
    QLabel* m_timeLabel;
    QDateTimeEdit* m_timeController;
    TimeIntervalPicker* m_timeIntervalPicker;
    QLabel* m_soundLabel;
    QComboBox* m_soundController;
    QLabel* m_urlLabel;
    QPushButton* m_urlController;
    QLabel* m_argumentLabel;
    QLabel* m_programNote; // why the program does not run, where it does not
    AlarmListEditor& m_editor;
    UserDefaults& m_defaults;
    SoundPlayer& m_player;
    std::shared_ptr<CalEvent> m_event;
    std::shared_ptr<CalAlarm> m_alarm;
    ProgramPicker m_programPicker;
};
