#include "AlarmSettingsViewController.h"

#include "AlarmListEditor.h"
#include "GridView.h"
#include "NamedSounds.h"
#include "SoundPlayer.h"
#include "TimeIntervalPicker.h"
#include "base/InternalInconsistency.h"
#include "base/Logger.h"
#include "base/TextColors.h"
#include "base/UserDefaults.h"
#include "base/VisibleText.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QString ALARM_TIME_INTERVAL = QStringLiteral("alarmTimeInterval");
const QString ALARM_SOUND = QStringLiteral("alarmSound");

// Item data of the type pop-up: a quick entry holds its relative trigger, an action entry its tag.
constexpr int TRIGGER_ROLE = Qt::UserRole;
constexpr int TAG_ROLE = Qt::UserRole + 1;
// Texts under the program's button wrap at this width rather than widen the editor.
constexpr int ROW_TEXT_WIDTH = 280;

struct QuickEntry {
    const char* title;
    double relativeTrigger;
};

constexpr QuickEntry QUICK_ENTRIES[] = {
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "5 minutes before"), -300},
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "15 minutes before"), -900},
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "30 minutes before"), -1800},
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "1 hour before"), -3600},
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "2 hours before"), -7200},
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "1 day before"), -86400},
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "2 days before"), -172800},
    {QT_TRANSLATE_NOOP("AlarmSettingsViewController", "On date of event"), 0},
};

// Sized to its content before it goes into a grid, which lays views out at the size they have.
template <typename Widget> Widget* sized(Widget* widget) {
    widget->resize(widget->sizeHint());
    return widget;
}

std::optional<QUrl> chooseProgramInDialog(QWidget* parent) {
    const QUrl url =
        QFileDialog::getOpenFileUrl(parent, AlarmSettingsViewController::tr("Choose a Program to Run"));
    return url.isEmpty() ? std::nullopt : std::optional(url);
}

} // namespace

AlarmSettingsViewController::AlarmSettingsViewController(std::shared_ptr<CalAlarm> alarm,
                                                         [[maybe_unused]] int index,
                                                         std::shared_ptr<CalEvent> event,
                                                         AlarmListEditor& editor, UserDefaults& defaults,
                                                         SoundPlayer& player, QWidget* parent)
    : QWidget(parent), m_gridView(new GridView(this)), m_typeLabel(new QLabel(tr("&Alarm:"))),
      m_typeController(new QComboBox), m_timeLabel(new QLabel(tr("&Date:"))),
      m_timeController(new QDateTimeEdit), m_timeIntervalPicker(new TimeIntervalPicker),
      m_soundLabel(new QLabel(tr("&Sound:"))), m_soundController(new QComboBox),
      m_urlLabel(new QLabel(tr("&Program:"))), m_urlController(new QPushButton), m_argumentLabel(new QLabel),
      m_programNote(new QLabel), m_editor(editor), m_defaults(defaults), m_player(player),
      m_event(std::move(event)), m_alarm(std::move(alarm)), m_programPicker(chooseProgramInDialog) {
    buildTypeEntries();
    m_typeController->setAccessibleName(tr("Alarm type"));
    m_typeLabel->setBuddy(m_typeController);
    m_timeController->setCalendarPopup(true);
    m_timeController->setAccessibleName(tr("Alarm date"));
    m_timeLabel->setBuddy(m_timeController);
    m_soundController->addItems(NamedSounds::namedSounds());
    m_soundController->setAccessibleName(tr("Alarm sound"));
    m_soundLabel->setBuddy(m_soundController);
    m_urlController->setAccessibleName(tr("Program to run"));
    m_urlLabel->setBuddy(m_urlController);
    m_argumentLabel->setAccessibleName(tr("Program argument"));
    m_programNote->setAccessibleName(tr("Program not run"));
    // Texts from a calendar file: shown as they stand, never as markup.
    for (QLabel* label : {m_argumentLabel, m_programNote}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setFixedWidth(ROW_TEXT_WIDTH);
    }
    QPalette warning = m_programNote->palette();
    warning.setColor(QPalette::WindowText, TextColors::current().invalid);
    m_programNote->setPalette(warning);
    placeControls();

    // Read once: the editor shows an event of a read-only calendar without changing it.
    const bool editable = m_event->calendar && m_event->calendar->isEditable;
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_typeController, m_timeController, m_timeIntervalPicker, m_soundController, m_urlController})
        control->setEnabled(editable);

    connect(m_typeController, &QComboBox::activated, this, &AlarmSettingsViewController::typeChosen);
    connect(m_timeIntervalPicker, &TimeIntervalPicker::timeIntervalChanged, this,
            &AlarmSettingsViewController::timeIntervalAction);
    connect(m_timeController, &QDateTimeEdit::dateTimeChanged, this,
            &AlarmSettingsViewController::absoluteTriggerAction);
    connect(m_soundController, &QComboBox::textActivated, this,
            &AlarmSettingsViewController::soundNameAction);
    connect(m_urlController, &QPushButton::clicked, this, &AlarmSettingsViewController::urlPickerAction);
    connect(m_gridView, &GridView::sizeChanged, this, [this](QSize size) {
        resize(size);
        updateGeometry();
    });
    showAlarm();
    resize(m_gridView->size());
}

int AlarmSettingsViewController::alarmActionAsTag(CalAlarm::Action action) {
    switch (action) {
    case CalAlarm::NoAction:
        return NoAlertTag;
    case CalAlarm::Display:
    case CalAlarm::Email: // there is no entry of its own: e-mail alarms come from other programs
        return MessageTag;
    case CalAlarm::Procedure:
        return RunTag;
    case CalAlarm::Sound:
        return SoundTag;
    }
    VL_ASSERT(false, QStringLiteral("Unknown alarm action"));
    return NoAlertTag;
}

void AlarmSettingsViewController::buildTypeEntries() {
    for (const QuickEntry& entry : QUICK_ENTRIES)
        m_typeController->addItem(tr(entry.title), entry.relativeTrigger);
    m_typeController->insertSeparator(m_typeController->count());
    const std::pair<QString, ActionTag> actions[] = {{tr("No Alert"), NoAlertTag},
                                                     {tr("Message"), MessageTag},
                                                     {tr("Run…"), RunTag},
                                                     {tr("Message with Sound"), SoundTag}};
    for (const auto& [title, tag] : actions) {
        m_typeController->addItem(title);
        m_typeController->setItemData(m_typeController->count() - 1, tag, TAG_ROLE);
    }
    m_typeController->resize(m_typeController->sizeHint());
}

// Top to bottom, which is also the order Tab goes through them.
void AlarmSettingsViewController::placeControls() {
    m_gridView->setView(sized(m_typeLabel), 0, 0);
    m_gridView->setTopMargin(9, 0, 0);
    m_gridView->setView(m_typeController, 0, 1);
    m_gridView->setLeftMargin(2, 0, 1);
    m_gridView->setTopMargin(6, 0, 1);
    m_gridView->setView(sized(m_timeLabel), 1, 0);
    m_gridView->setView(sized(m_timeController), 1, 1);
    m_gridView->setLeftMargin(5, 1, 1);
    m_gridView->setView(m_timeIntervalPicker, 2, 1);
    m_gridView->setLeftMargin(5, 2, 1);
    m_gridView->setView(sized(m_soundLabel), 5, 1);
    m_gridView->setLeftMargin(3, 5, 1);
    m_gridView->setView(sized(m_soundController), 6, 1);
    m_gridView->setLeftMargin(2, 6, 1);
    m_gridView->setView(sized(m_urlLabel), 7, 1);
    m_gridView->setLeftMargin(3, 7, 1);
    m_gridView->setView(m_urlController, 8, 1);
    m_gridView->setLeftMargin(4, 8, 1);
    m_gridView->setView(m_argumentLabel, 9, 1);
    m_gridView->setLeftMargin(5, 9, 1);
    m_gridView->setView(m_programNote, 10, 1);
    m_gridView->setLeftMargin(5, 10, 1);
}

QSize AlarmSettingsViewController::sizeHint() const {
    return m_gridView->sizeHint();
}

void AlarmSettingsViewController::typeChosen(int index) {
    const QVariant trigger = m_typeController->itemData(index, TRIGGER_ROLE);
    if (trigger.isValid()) {
        quickAlarmAction(trigger.toDouble());
        return;
    }
    switch (m_typeController->itemData(index, TAG_ROLE).toInt()) {
    case NoAlertTag:
        noAlarmAction();
        break;
    case MessageTag:
        messageAction();
        break;
    case RunTag:
        procedureAction();
        break;
    case SoundTag:
        soundAction();
        break;
    default:
        VL_ASSERT(false, QStringLiteral("Unknown alarm type entry"));
    }
}

void AlarmSettingsViewController::initializeIfNew() {
    if (m_alarm->action() != CalAlarm::NoAction)
        return;
    m_alarm->setRelativeTrigger(m_defaults.value(ALARM_TIME_INTERVAL).toDouble());
    m_editor.addAlarm(m_alarm);
}

void AlarmSettingsViewController::quickAlarmAction(double relativeTrigger) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("quickAlarmAction: %1").arg(relativeTrigger));
    initializeIfNew();
    if (m_alarm->action() == CalAlarm::NoAction)
        m_alarm->setAction(CalAlarm::Display);
    m_alarm->setRelativeTrigger(relativeTrigger);
    // A time relative to the event replaces a fixed moment, which would otherwise still decide.
    m_alarm->setAbsoluteTrigger(std::nullopt);
    showAlarm();
}

void AlarmSettingsViewController::noAlarmAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("noAlarmAction"));
    // The editor rebuilds its rows: nothing of this one is touched after the call.
    const std::shared_ptr<CalAlarm> alarm = m_alarm;
    m_editor.removeAlarm(alarm);
}

void AlarmSettingsViewController::messageAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("messageAction"));
    initializeIfNew();
    m_alarm->setAction(CalAlarm::Display);
    showAlarm();
}

void AlarmSettingsViewController::procedureAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("procedureAction"));
    const bool isNew = m_alarm->action() == CalAlarm::NoAction;
    initializeIfNew();
    const std::optional<QUrl> url = pickProgram(isNew);
    if (!url && isNew)
        return; // removed, and the rows rebuilt
    if (url)
        m_alarm->setUrl(*url);
    showAlarm();
}

void AlarmSettingsViewController::soundAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("soundAction"));
    initializeIfNew();
    const QStringList names = NamedSounds::namedSounds();
    QString sound = m_defaults.value(ALARM_SOUND).toString();
    // With no sound installed at all the remembered name stays: the alarm then plays the default sound.
    if (!names.contains(sound) && !names.isEmpty())
        sound = names.first();
    m_alarm->setSound(sound);
    showAlarm();
}

void AlarmSettingsViewController::urlPickerAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("urlPickerAction"));
    if (const std::optional<QUrl> url = pickProgram(false)) {
        m_alarm->setUrl(*url);
        showAlarm();
    }
}

std::optional<QUrl> AlarmSettingsViewController::pickProgram(bool removeWhenCancelled) {
    std::optional<QUrl> url = m_programPicker(this);
    if (url) {
        // The argument goes with the program the user has just seen it beside.
        CalAlarm chosen = *m_alarm;
        chosen.setUrl(*url);
        m_editor.programChosen(chosen);
    }
    if (!url && removeWhenCancelled) {
        const std::shared_ptr<CalAlarm> alarm = m_alarm;
        m_editor.removeAlarm(alarm);
    }
    return url;
}

void AlarmSettingsViewController::soundNameAction(const QString& name) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("soundNameAction: %1").arg(name));
    m_alarm->setSound(name);
    if (m_player.play(name))
        m_defaults.setValue(ALARM_SOUND, name);
    else
        m_player.beep();
}

void AlarmSettingsViewController::timeIntervalAction(double seconds) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("timeIntervalAction: %1").arg(seconds));
    m_alarm->setRelativeTrigger(seconds);
    m_defaults.setValue(ALARM_TIME_INTERVAL, seconds);
}

void AlarmSettingsViewController::absoluteTriggerAction(const QDateTime& moment) {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL,
           QStringLiteral("absoluteTriggerAction: %1").arg(moment.toString(Qt::ISODate)));
    m_alarm->setAbsoluteTrigger(moment.toUTC());
}

void AlarmSettingsViewController::showAlarm() {
    const CalAlarm::Action action = m_alarm->action();
    const int tag = alarmActionAsTag(action);
    m_typeController->setCurrentIndex(m_typeController->findData(tag, TAG_ROLE));

    const bool hasAction = action != CalAlarm::NoAction;
    const std::optional<QDateTime> absolute = m_alarm->absoluteTrigger();
    m_timeIntervalPicker->setVisible(hasAction && !absolute);
    m_timeIntervalPicker->setTimeInterval(m_alarm->relativeTrigger());
    m_timeLabel->setVisible(hasAction && absolute);
    m_timeController->setVisible(hasAction && absolute);
    if (absolute) {
        const QSignalBlocker blocker(m_timeController);
        m_timeController->setDateTime(absolute->toLocalTime());
    }

    const bool isSound = action == CalAlarm::Sound;
    m_soundLabel->setVisible(isSound);
    m_soundController->setVisible(isSound);
    if (isSound) {
        // A sound named by another program, or no longer installed, is still shown as the alarm's.
        if (m_soundController->findText(m_alarm->sound()) < 0)
            m_soundController->insertItem(0, m_alarm->sound());
        m_soundController->setCurrentIndex(m_soundController->findText(m_alarm->sound()));
        m_soundController->resize(m_soundController->sizeHint());
    }

    showProgram();
}

void AlarmSettingsViewController::showProgram() {
    const bool isProcedure = m_alarm->action() == CalAlarm::Procedure;
    m_urlLabel->setVisible(isProcedure);
    m_urlController->setVisible(isProcedure);
    m_urlController->setText(m_alarm->url().isEmpty() ? tr("Choose…") : m_alarm->url().fileName());
    // Marked up as a paragraph, so that a path holding markup is shown as it stands.
    m_urlController->setToolTip(
        QStringLiteral("<p>%1</p>")
            .arg(m_alarm->url().toDisplayString(QUrl::PreferLocalFile).toHtmlEscaped()));
    m_urlController->resize(m_urlController->sizeHint());

    const QString argument = m_alarm->procedureArguments();
    m_argumentLabel->setVisible(isProcedure && !argument.isEmpty());
    // As it will be handed over: nothing in it may look other than it is.
    m_argumentLabel->setText(tr("With the argument: %1").arg(VisibleText::escaped(argument)));
    m_argumentLabel->resize(m_argumentLabel->sizeHint());

    const bool editable = m_event->calendar && m_event->calendar->isEditable;
    m_programNote->setVisible(isProcedure && !m_alarm->url().isEmpty() && !m_editor.mayRunProgram(*m_alarm));
    m_programNote->setText(editable ? tr("Not set up on this computer: it does not run until you choose its "
                                         "program with Run…")
                                    : tr("It does not run: the calendar is read-only."));
    m_programNote->resize(m_programNote->sizeHint());
}
