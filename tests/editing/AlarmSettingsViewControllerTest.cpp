// The alarm rows of the event editor: the empty row turning into an alarm, the action entries, sounds,
// programs, and rows of a read-only calendar.
#include "editing/AlarmSettingsViewController.h"

#include "TestSupport.h"
#include "WidgetInput.h"
#include "base/UserDefaults.h"
#include "editing/AlarmListEditor.h"
#include "editing/GridView.h"
#include "editing/NamedSounds.h"
#include "editing/SoundPlayer.h"
#include "editing/TimeIntervalPicker.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

// No sound device in the tests: which sounds "play" is set by the test.
class RecordingSoundPlayer : public SoundPlayer {
public:
    bool play(const QString& name) override {
        if (!playable.contains(name))
            return false;
        played.append(name);
        return true;
    }
    void beep() override { ++beeps; }

    QStringList playable;
    QStringList played;
    int beeps = 0;
};

// The editor's part: the rows of the event's alarms plus an empty one, in a grid, rebuilt on removal.
class AlarmList : public AlarmListEditor {
public:
    AlarmList(std::shared_ptr<CalEvent> event, UserDefaults& defaults, SoundPlayer& player)
        : m_event(std::move(event)), m_defaults(defaults), m_player(player) {}

    void addAlarm(const std::shared_ptr<CalAlarm>& alarm) override {
        added.append(alarm);
        m_event->alarms.append(alarm);
        appendEmptyRow();
    }
    void removeAlarm(const std::shared_ptr<CalAlarm>& alarm) override {
        removed.append(alarm);
        m_event->alarms.removeOne(alarm);
        rebuild();
    }
    void programChosen(const CalAlarm& alarm) override { chosen.append(alarm.url()); }
    bool mayRunProgram(const CalAlarm& alarm) const override { return chosen.contains(alarm.url()); }

    void rebuild() {
        grid.clear(); // the rows go later: the one that asked is still running
        rows.clear();
        for (const auto& alarm : std::as_const(m_event->alarms))
            appendRow(alarm);
        appendEmptyRow();
    }
    AlarmSettingsViewController* row(int i) const { return rows.value(i); }
    void setProgramPicker(AlarmSettingsViewController::ProgramPicker picker) {
        m_picker = std::move(picker);
        for (auto& row : rows)
            row->setProgramPicker(m_picker);
    }

    GridView grid;
    QList<QPointer<AlarmSettingsViewController>> rows;
    QList<std::shared_ptr<CalAlarm>> added;
    QList<std::shared_ptr<CalAlarm>> removed;
    QList<QUrl> chosen;

private:
    void appendEmptyRow() {
        auto alarm = CalAlarm::alarm();
        alarm->setAction(CalAlarm::NoAction);
        alarm->setRelativeTrigger(-900);
        appendRow(alarm);
    }
    void appendRow(const std::shared_ptr<CalAlarm>& alarm) {
        auto* row =
            new AlarmSettingsViewController(alarm, int(rows.size()), m_event, *this, m_defaults, m_player);
        if (m_picker)
            row->setProgramPicker(m_picker);
        grid.setView(row, int(rows.size()), 0);
        rows.append(row);
    }

    std::shared_ptr<CalEvent> m_event;
    UserDefaults& m_defaults;
    SoundPlayer& m_player;
    AlarmSettingsViewController::ProgramPicker m_picker;
};

QComboBox* typePopUp(QWidget* row) {
    return control<QComboBox>(row, QStringLiteral("Alarm type"));
}
QComboBox* soundPopUp(QWidget* row) {
    return control<QComboBox>(row, QStringLiteral("Alarm sound"));
}
QPushButton* programButton(QWidget* row) {
    return control<QPushButton>(row, QStringLiteral("Program to run"));
}
QDateTimeEdit* dateField(QWidget* row) {
    return control<QDateTimeEdit>(row, QStringLiteral("Alarm date"));
}
TimeIntervalPicker* picker(QWidget* row) {
    return row->findChild<TimeIntervalPicker*>();
}

// The row's controls that a user sees, by accessible name; the type pop-up is always among them.
QStringList shownControls(QWidget* row) {
    QStringList names;
    if (picker(row)->isVisibleTo(row))
        names.append(QStringLiteral("time"));
    if (dateField(row)->isVisibleTo(row))
        names.append(QStringLiteral("date"));
    if (soundPopUp(row)->isVisibleTo(row))
        names.append(QStringLiteral("sound"));
    if (programButton(row)->isVisibleTo(row))
        names.append(QStringLiteral("program"));
    for (const QString& label : {QStringLiteral("Program argument"), QStringLiteral("Program not run")})
        if (control<QLabel>(row, label)->isVisibleTo(row))
            names.append(label);
    return names;
}

std::shared_ptr<CalAlarm> alarmWith(CalAlarm::Action action, double relativeTrigger) {
    auto alarm = CalAlarm::alarm();
    alarm->setAction(action);
    alarm->setRelativeTrigger(relativeTrigger);
    return alarm;
}

class AlarmRows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(directory.isValid());
        defaults.registerDefaults(
            {{QStringLiteral("alarmTimeInterval"), -900.0}, {QStringLiteral("alarmSound"), QString()}});
        event->calendar = CalCalendar::calendar();
        event->title = QStringLiteral("Dentist");
    }

    // Shows the rows of the event as it is now.
    void show() {
        list.rebuild();
        list.grid.show();
    }
    // The row of a message alarm with a sound, the event's only one.
    AlarmSettingsViewController* showBellAlarm() {
        event->alarms = {alarmWith(CalAlarm::Display, -900)};
        event->alarms.front()->setSound(QStringLiteral("bell"));
        show();
        return list.row(0);
    }
    // Deletes the rows that a rebuild let go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir directory;
    UserDefaults defaults{directory.filePath(QStringLiteral("verdalune.conf"))};
    RecordingSoundPlayer player;
    std::shared_ptr<CalEvent> event = CalEvent::event();
    AlarmList list{event, defaults, player};
};

TEST_F(AlarmRows, AQuickEntryInTheEmptyRowMakesAMessageAlarmAndANewEmptyRow) {
    show();
    ASSERT_EQ(list.rows.size(), 1);
    AlarmSettingsViewController* row = list.row(0);
    EXPECT_EQ(typePopUp(row)->currentText(), QStringLiteral("No Alert"));
    EXPECT_EQ(shownControls(row), QStringList());

    chooseEntry(typePopUp(row), QStringLiteral("1 day before"));
    ASSERT_EQ(list.added.size(), 1);
    EXPECT_EQ(list.added.first(), row->alarm());
    EXPECT_EQ(event->alarms, QList{row->alarm()});
    EXPECT_EQ(row->alarm()->action(), CalAlarm::Display);
    EXPECT_EQ(row->alarm()->relativeTrigger(), -86400);
    EXPECT_EQ(typePopUp(row)->currentText(), QStringLiteral("Message"));
    EXPECT_EQ(shownControls(row), QStringList{QStringLiteral("time")});
    EXPECT_EQ(picker(row)->unit(), TimeIntervalPicker::Days);
    EXPECT_EQ(picker(row)->timeIntervalValue(), 1);

    // The new empty row below it, and a second quick entry that only changes the time.
    ASSERT_EQ(list.rows.size(), 2);
    EXPECT_EQ(list.row(1)->alarm()->action(), CalAlarm::NoAction);
    chooseEntry(typePopUp(row), QStringLiteral("On date of event"));
    EXPECT_EQ(list.added.size(), 1);
    EXPECT_EQ(row->alarm()->relativeTrigger(), 0);
    EXPECT_EQ(list.rows.size(), 2);
}

TEST_F(AlarmRows, ANewAlarmStartsAtTheLastIntervalTheUserSet) {
    event->alarms = {alarmWith(CalAlarm::Display, -900)};
    show();
    auto* valueField = control<QSpinBox>(list.row(0), QStringLiteral("Alarm time"));
    valueField->setFocus();
    QTest::keyClick(valueField, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(valueField, QStringLiteral("2"));
    QTest::keyClick(valueField, Qt::Key_Return);
    chooseEntry(control<QComboBox>(list.row(0), QStringLiteral("Alarm time unit")), QStringLiteral("Hours"));
    EXPECT_EQ(event->alarms.first()->relativeTrigger(), -7200);
    EXPECT_EQ(defaults.value(QStringLiteral("alarmTimeInterval")).toDouble(), -7200);

    chooseEntry(typePopUp(list.row(1)), QStringLiteral("Message"));
    ASSERT_EQ(event->alarms.size(), 2);
    EXPECT_EQ(event->alarms.last()->action(), CalAlarm::Display);
    EXPECT_EQ(event->alarms.last()->relativeTrigger(), -7200);
}

TEST_F(AlarmRows, NoAlertRemovesTheAlarmAndTheRowsAreBuiltAgain) {
    const auto first = alarmWith(CalAlarm::Display, -900);
    const auto second = alarmWith(CalAlarm::Display, -300);
    event->alarms = {first, second};
    show();
    ASSERT_EQ(list.rows.size(), 3);
    chooseEntry(typePopUp(list.row(0)), QStringLiteral("No Alert"));
    settle();
    EXPECT_EQ(list.removed, QList{first});
    EXPECT_EQ(event->alarms, QList{second});
    ASSERT_EQ(list.rows.size(), 2);
    EXPECT_EQ(list.row(0)->alarm(), second);
    EXPECT_TRUE(list.added.isEmpty());
}

TEST_F(AlarmRows, RunSetsTheChosenProgramAndACancelledChoiceUndoesOnlyANewAlarm) {
    std::optional<QUrl> choice = QUrl::fromLocalFile(QStringLiteral("/usr/bin/true"));
    list.setProgramPicker([&](QWidget*) { return choice; });
    const auto existing = alarmWith(CalAlarm::Display, -900);
    event->alarms = {existing};
    show();

    // Cancelled on an existing alarm: nothing changes, and the pop-up shows what the alarm still does.
    choice.reset();
    chooseEntry(typePopUp(list.row(0)), QStringLiteral("Run…"));
    EXPECT_EQ(existing->action(), CalAlarm::Display);
    EXPECT_TRUE(existing->url().isEmpty());
    EXPECT_EQ(typePopUp(list.row(0))->currentText(), QStringLiteral("Message"));
    EXPECT_TRUE(list.added.isEmpty());
    EXPECT_TRUE(list.removed.isEmpty());

    // Cancelled in the empty row: the alarm made for the choice goes again.
    chooseEntry(typePopUp(list.row(1)), QStringLiteral("Run…"));
    settle();
    ASSERT_EQ(list.added.size(), 1);
    EXPECT_EQ(list.removed, list.added);
    EXPECT_EQ(event->alarms, QList{existing});
    ASSERT_EQ(list.rows.size(), 2);

    // Picked in the empty row: a program alarm, with the program's name on its button.
    choice = QUrl::fromLocalFile(QStringLiteral("/usr/bin/true"));
    AlarmSettingsViewController* row = list.row(1);
    chooseEntry(typePopUp(row), QStringLiteral("Run…"));
    ASSERT_EQ(event->alarms.size(), 2);
    EXPECT_EQ(row->alarm()->action(), CalAlarm::Procedure);
    EXPECT_EQ(row->alarm()->url(), *choice);
    EXPECT_EQ(typePopUp(row)->currentText(), QStringLiteral("Run…"));
    EXPECT_EQ(shownControls(row), (QStringList{QStringLiteral("time"), QStringLiteral("program")}));
    EXPECT_EQ(programButton(row)->text(), QStringLiteral("true"));

    // The button picks another; cancelling it keeps the program.
    choice = QUrl::fromLocalFile(QStringLiteral("/usr/bin/false"));
    QTest::mouseClick(programButton(row), Qt::LeftButton);
    EXPECT_EQ(row->alarm()->url(), *choice);
    EXPECT_EQ(programButton(row)->text(), QStringLiteral("false"));
    choice.reset();
    QTest::mouseClick(programButton(row), Qt::LeftButton);
    EXPECT_EQ(row->alarm()->url(), QUrl::fromLocalFile(QStringLiteral("/usr/bin/false")));
    EXPECT_EQ(list.removed.size(), 1);
}

// A program alarm that came in a calendar file is shown for what it is: its program, its argument, and
// that it does not run until the user chooses the program here.
TEST_F(AlarmRows, AProgramAlarmFromAFileSaysItDoesNotRunUntilItsProgramIsChosen) {
    const QUrl program = QUrl::fromLocalFile(QStringLiteral("/usr/bin/env"));
    list.setProgramPicker([&](QWidget*) { return program; });
    const auto foreign = alarmWith(CalAlarm::Procedure, 0);
    foreign->setUrl(program);
    foreign->setProcedureArguments(QStringLiteral("-S sh -c '<b>id</b>'\u202e\n"));
    event->alarms = {foreign};
    show();
    AlarmSettingsViewController* row = list.row(0);
    EXPECT_EQ(shownControls(row),
              (QStringList{QStringLiteral("time"), QStringLiteral("program"),
                           QStringLiteral("Program argument"), QStringLiteral("Program not run")}));
    const QLabel* argument = control<QLabel>(row, QStringLiteral("Program argument"));
    EXPECT_EQ(argument->text(), QStringLiteral("With the argument: -S sh -c '<b>id</b>'\\u202e\\n"));
    EXPECT_EQ(argument->textFormat(), Qt::PlainText);
    EXPECT_TRUE(
        control<QLabel>(row, QStringLiteral("Program not run"))->text().contains(QStringLiteral("Run…")));

    chooseEntry(typePopUp(row), QStringLiteral("Run…"));
    EXPECT_EQ(list.chosen, QList{program});
    EXPECT_EQ(shownControls(row), (QStringList{QStringLiteral("time"), QStringLiteral("program"),
                                               QStringLiteral("Program argument")}));

    // In a read-only calendar nothing can be chosen, and the row says why it does not run.
    event->calendar->isEditable = false;
    list.chosen.clear();
    show();
    EXPECT_EQ(control<QLabel>(list.row(0), QStringLiteral("Program not run"))->text(),
              QStringLiteral("It does not run: the calendar is read-only."));
}

TEST_F(AlarmRows, MessageWithSoundTakesTheRememberedSoundWhileItIsInstalled) {
    const QStringList names = NamedSounds::namedSounds();
    ASSERT_GE(names.size(), 2) << "the freedesktop sound theme is needed";
    defaults.setValue(QStringLiteral("alarmSound"), names[1]);
    show();
    chooseEntry(typePopUp(list.row(0)), QStringLiteral("Message with Sound"));
    AlarmSettingsViewController* row = list.row(0);
    EXPECT_EQ(row->alarm()->action(), CalAlarm::Sound);
    EXPECT_EQ(row->alarm()->sound(), names[1]);
    EXPECT_EQ(row->alarm()->relativeTrigger(), -900);
    EXPECT_EQ(shownControls(row), (QStringList{QStringLiteral("time"), QStringLiteral("sound")}));
    EXPECT_EQ(soundPopUp(row)->currentText(), names[1]);

    defaults.setValue(QStringLiteral("alarmSound"), QStringLiteral("uninstalled-sound"));
    chooseEntry(typePopUp(list.row(1)), QStringLiteral("Message with Sound"));
    EXPECT_EQ(list.row(1)->alarm()->sound(), QStringLiteral("alarm-clock-elapsed"));
    EXPECT_EQ(player.played, QStringList()) << "only a sound the user picks is played";
}

TEST_F(AlarmRows, APickedSoundIsPlayedAndRememberedAndOneThatCannotPlayBeeps) {
    const QStringList names = NamedSounds::namedSounds();
    ASSERT_GE(names.size(), 3) << "the freedesktop sound theme is needed";
    auto alarm = alarmWith(CalAlarm::Display, -900);
    alarm->setSound(names[0]);
    event->alarms = {alarm};
    player.playable = {names[1]};
    show();

    chooseEntry(soundPopUp(list.row(0)), names[1]);
    EXPECT_EQ(alarm->sound(), names[1]);
    EXPECT_EQ(player.played, QStringList{names[1]});
    EXPECT_EQ(defaults.value(QStringLiteral("alarmSound")).toString(), names[1]);
    EXPECT_EQ(player.beeps, 0);

    chooseEntry(soundPopUp(list.row(0)), names[2]);
    EXPECT_EQ(alarm->sound(), names[2]);
    EXPECT_EQ(player.beeps, 1);
    EXPECT_EQ(defaults.value(QStringLiteral("alarmSound")).toString(), names[1]);
}

TEST_F(AlarmRows, AlarmsMadeElsewhereShowWhatTheyDo) {
    auto email = alarmWith(CalAlarm::Email, -5400);
    email->setEmailAddress(QStringLiteral("me@example.org"));
    auto sound = alarmWith(CalAlarm::Display, -60);
    sound->setSound(QStringLiteral("Basso")); // a name that is not installed here
    auto fixed = alarmWith(CalAlarm::Display, 0);
    fixed->setAbsoluteTrigger(QDateTime(QDate(2024, 3, 1), QTime(8, 30)));
    event->alarms = {email, sound, fixed};
    show();

    EXPECT_EQ(typePopUp(list.row(0))->currentText(), QStringLiteral("Message"));
    EXPECT_EQ(shownControls(list.row(0)), QStringList{QStringLiteral("time")});
    EXPECT_EQ(picker(list.row(0))->unit(), TimeIntervalPicker::Minutes);
    EXPECT_EQ(picker(list.row(0))->timeIntervalValue(), 90);

    EXPECT_EQ(typePopUp(list.row(1))->currentText(), QStringLiteral("Message with Sound"));
    EXPECT_EQ(soundPopUp(list.row(1))->currentText(), QStringLiteral("Basso"));

    AlarmSettingsViewController* row = list.row(2);
    EXPECT_EQ(shownControls(row), QStringList{QStringLiteral("date")});
    EXPECT_EQ(dateField(row)->dateTime(), QDateTime(QDate(2024, 3, 1), QTime(8, 30)));
    // A quick time makes the alarm relative to the event again.
    chooseEntry(typePopUp(row), QStringLiteral("5 minutes before"));
    EXPECT_FALSE(fixed->absoluteTrigger());
    EXPECT_EQ(fixed->relativeTrigger(), -300);
    EXPECT_EQ(shownControls(row), QStringList{QStringLiteral("time")});
    EXPECT_EQ(email->action(), CalAlarm::Email) << "the other rows are left alone";
}

TEST_F(AlarmRows, TabGoesThroughTheShownControlsFromTopToBottom) {
    AlarmSettingsViewController* row = showBellAlarm();
    QStringList order;
    QWidget* const first = typePopUp(row);
    QWidget* widget = first;
    do {
        if (row->isAncestorOf(widget) && widget->isVisibleTo(row) && (widget->focusPolicy() & Qt::TabFocus) &&
            !widget->accessibleName().isEmpty())
            order.append(widget->accessibleName());
        widget = widget->nextInFocusChain();
    } while (widget != first);
    EXPECT_EQ(order, (QStringList{QStringLiteral("Alarm type"), QStringLiteral("Alarm time"),
                                  QStringLiteral("Alarm time unit"), QStringLiteral("Alarm sound")}));
}

TEST_F(AlarmRows, TheRowsOfAReadOnlyCalendarCannotBeChanged) {
    event->calendar->isEditable = false;
    AlarmSettingsViewController* row = showBellAlarm();
    for (QWidget* control :
         std::initializer_list<QWidget*>{typePopUp(row), soundPopUp(row), programButton(row), dateField(row),
                                         control<QSpinBox>(row, QStringLiteral("Alarm time")),
                                         control<QComboBox>(row, QStringLiteral("Alarm time unit"))})
        EXPECT_FALSE(control->isEnabled()) << control->accessibleName().toStdString();

    QTest::mouseClick(typePopUp(row), Qt::LeftButton);
    EXPECT_FALSE(typePopUp(row)->view()->isVisible());
    EXPECT_TRUE(list.added.isEmpty());

    event->calendar = nullptr; // an event not in any calendar yet cannot be changed either
    list.rebuild();
    EXPECT_FALSE(typePopUp(list.row(1))->isEnabled());
}

} // namespace
