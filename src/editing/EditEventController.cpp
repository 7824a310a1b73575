#include "EditEventController.h"

#include "AlarmSettingsViewController.h"
#include "CanberraSoundPlayer.h"
#include "CommandFieldHighlighter.h"
#include "CommandFieldTextViewDelegate.h"
#include "GridView.h"
#include "InvitationView.h"
#include "RecurrenceSettingsViewController.h"
#include "TextViewWithCompletion.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "base/VisibleText.h"
#include "dates/EventDescription.h"
#include "entry/CalEventBuilder.h"
#include "entry/ParsingController.h"
#include "shortcut/PreferenceKeys.h"
#include "store/ApplicationModel.h"
#include "store/BaseCalendarController.h"
#include "store/CalendarSortOrder.h"
#include "store/ProgramAlarmApprovals.h"
#include "store/UserInteraction.h"
#include "store/ics/ruleAlignedDates.h"
#include "textColors.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <tuple>

#include <algorithm>

namespace {

const QString TIMED_FORMAT = QStringLiteral("ddd d MMM yyyy  HH:mm");
const QString ALL_DAY_FORMAT = QStringLiteral("ddd d MMM yyyy");

// The words of the entry language a line may start with, offered as the user types.
const QStringList ENTRY_WORDS{
    QStringLiteral("today"),     QStringLiteral("tomorrow"),   QStringLiteral("next day"),
    QStringLiteral("next week"), QStringLiteral("next month"), QStringLiteral("next year"),
    QStringLiteral("noon"),      QStringLiteral("midnight"),   QStringLiteral("monday"),
    QStringLiteral("tuesday"),   QStringLiteral("wednesday"),  QStringLiteral("thursday"),
    QStringLiteral("friday"),    QStringLiteral("saturday"),   QStringLiteral("sunday"),
    QStringLiteral("january"),   QStringLiteral("february"),   QStringLiteral("march"),
    QStringLiteral("april"),     QStringLiteral("may"),        QStringLiteral("june"),
    QStringLiteral("july"),      QStringLiteral("august"),     QStringLiteral("september"),
    QStringLiteral("october"),   QStringLiteral("november"),   QStringLiteral("december")};

// The alarm of the empty row: 15 minutes before, it joins the event once the user picks an action.
std::shared_ptr<CalAlarm> emptyAlarm() {
    auto alarm = CalAlarm::alarm();
    alarm->setAction(CalAlarm::NoAction);
    alarm->setRelativeTrigger(-900);
    return alarm;
}

// The title as typed at the end of the line, when the tree has one.
QString titleOf(const ParseTreeNode& node) {
    if (node.type() == ParseTreeNode::description)
        return node.textValue();
    for (const ParseTreeNode& child : node.childNodes())
        if (const QString title = titleOf(child); !title.isEmpty())
            return title;
    return {};
}

bool isMidnight(const QDateTime& moment) {
    const QTime time = moment.toLocalTime().time();
    return time.hour() == 0 && time.minute() == 0 && time.second() == 0;
}

QDateTime startOfDay(const QDateTime& moment) {
    return CalendarDate::fromQDateTime(moment).truncateToDay().toQDateTime();
}

void setTextColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Text, color);
    widget.setPalette(palette);
}

bool sameAlarm(const CalAlarm& a, const CalAlarm& b) {
    return a.action() == b.action() && a.relativeTrigger() == b.relativeTrigger() &&
           a.absoluteTrigger() == b.absoluteTrigger() && a.sound() == b.sound() && a.url() == b.url() &&
           a.emailAddress() == b.emailAddress() && a.procedureArguments() == b.procedureArguments();
}

bool sameRule(const CalRecurrenceRule* a, const CalRecurrenceRule* b) {
    if (!a || !b)
        return a == b;
    return a->recurrenceType == b->recurrenceType && a->recurrenceInterval == b->recurrenceInterval &&
           a->recurrenceEnd == b->recurrenceEnd && a->daysOfTheWeek == b->daysOfTheWeek &&
           a->daysOfTheMonth == b->daysOfTheMonth && a->monthsOfTheYear == b->monthsOfTheYear &&
           a->nthWeekDaysOfTheMonth == b->nthWeekDaysOfTheMonth;
}

// Equal in everything the editor can change: a save of one over the other would write nothing new, and a
// stored change that differs here is one the user would lose.
bool sameStoredState(const CalEvent& a, const CalEvent& b) {
    return a.title == b.title && a.startDate == b.startDate && a.endDate == b.endDate &&
           a.isAllDay == b.isAllDay && a.location == b.location && a.notes == b.notes &&
           a.attendees == b.attendees &&
           (a.calendar ? a.calendar->uid : QString()) == (b.calendar ? b.calendar->uid : QString()) &&
           sameRule(a.recurrenceRule.get(), b.recurrenceRule.get()) &&
           std::equal(a.alarms.begin(), a.alarms.end(), b.alarms.begin(), b.alarms.end(),
                      [](const auto& x, const auto& y) { return sameAlarm(*x, *y); });
}

} // namespace

EditEventController::EditEventController(ApplicationModel& model, BaseCalendarController& calendarController,
                                         UndoManager& undoManager,
                                         std::shared_ptr<EventDescription> eventDescription,
                                         ParsingController& parsingController, UserDefaults& userDefaults,
                                         ProgramAlarmApprovals& programApprovals, QWidget* parent)
    : QDialog(parent), m_model(model), m_calendarController(calendarController), m_undoManager(undoManager),
      m_eventDescription(std::move(eventDescription)), m_parsingController(parsingController),
      m_userDefaults(userDefaults), m_programApprovals(programApprovals),
      m_eventBuilder(std::make_unique<CalEventBuilder>()),
      m_soundPlayer(std::make_unique<CanberraSoundPlayer>()) {
    buildWindow();
    connect(&m_model, &ApplicationModel::eventsChanged, this, &EditEventController::modelEventsChanged);
    connect(&m_model, &ApplicationModel::calendarsChanged, this, &EditEventController::refreshCalendarNames);
}

EditEventController::~EditEventController() {
    if (m_event)
        closeImpl();
}

void EditEventController::buildWindow() {
    setWindowTitle(tr("New Event"));
    setModal(false);

    m_commandField = new TextViewWithCompletion(this);
    m_commandField->setAccessibleName(tr("Event in words"));
    m_commandField->setPlaceholderText(tr("work: fri 3pm to 4pm review"));
    m_commandField->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    m_commandField->setFixedHeight(m_commandField->fontMetrics().lineSpacing() * 2 + 12);
    m_commandFieldDelegate = new CommandFieldTextViewDelegate([this] { okAction(); }, this);
    m_commandField->setCompletionDelegate(m_commandFieldDelegate);
    m_commandFieldHighlighter = new CommandFieldHighlighter(m_commandField->document());
    connect(m_commandField, &QPlainTextEdit::textChanged, this, &EditEventController::commandFieldDidChange);

    m_titleField = new QLineEdit(this);
    m_titleField->setAccessibleName(tr("Title"));
    connect(m_titleField, &QLineEdit::textEdited, this, [this](const QString& title) {
        if (m_event && !m_showing) {
            m_event->title = title;
            announceChange();
        }
    });
    connect(m_titleField, &QLineEdit::editingFinished, this, &EditEventController::titleAction);

    m_startDatePicker = new QDateTimeEdit(this);
    m_startDatePicker->setCalendarPopup(true);
    m_startDatePicker->setAccessibleName(tr("Start"));
    connect(m_startDatePicker, &QDateTimeEdit::dateTimeChanged, this, &EditEventController::startDateAction);
    m_endDatePicker = new QDateTimeEdit(this);
    m_endDatePicker->setCalendarPopup(true);
    m_endDatePicker->setAccessibleName(tr("End"));
    connect(m_endDatePicker, &QDateTimeEdit::dateTimeChanged, this, &EditEventController::endDateAction);
    // Room for the longest date and time, so that neither control cuts its text.
    const int pickerWidth =
        m_startDatePicker->fontMetrics().horizontalAdvance(QStringLiteral("Wed 30 Sep 2026  23:59")) + 48;
    m_startDatePicker->setMinimumWidth(pickerWidth);
    m_endDatePicker->setMinimumWidth(pickerWidth);
    m_isAllDayCheckbox = new QCheckBox(tr("A&ll day"), this);
    m_isAllDayCheckbox->setAccessibleName(tr("All day"));
    connect(m_isAllDayCheckbox, &QCheckBox::clicked, this, &EditEventController::allDayAction);

    m_calendarPopUp = new QComboBox(this);
    m_calendarPopUp->setAccessibleName(tr("Calendar"));
    connect(m_calendarPopUp, &QComboBox::activated, this, &EditEventController::calendarAction);
    m_locationField = new QLineEdit(this);
    m_locationField->setAccessibleName(tr("Location"));
    connect(m_locationField, &QLineEdit::textEdited, this, [this](const QString& location) {
        if (m_event && !m_showing)
            m_event->location = location;
    });
    m_notesField = new QPlainTextEdit(this);
    m_notesField->setAccessibleName(tr("Notes"));
    m_notesField->setTabChangesFocus(true);
    m_notesField->setFixedHeight(m_notesField->fontMetrics().lineSpacing() * 3 + 12);
    connect(m_notesField, &QPlainTextEdit::textChanged, this, [this] {
        if (m_event && !m_showing)
            m_event->notes = m_notesField->toPlainText();
    });

    m_invitationView = new InvitationView(this);
    connect(m_invitationView, &InvitationView::answerChosen, this, &EditEventController::answerAction);

    m_gridView = new GridView(this);
    m_gridView->setVerticalMargin(6);
    m_recurrenceViewController = new RecurrenceSettingsViewController(m_eventDescription);
    m_gridView->setView(m_recurrenceViewController, 0, 0);
    connect(m_recurrenceViewController, &RecurrenceSettingsViewController::recurrenceRuleChanged, this,
            [this](std::shared_ptr<CalRecurrenceRule> rule) {
                if (!m_event)
                    return;
                m_event->recurrenceRule = std::move(rule);
                // A series begins on an occurrence of its rule: other programs differ on one that does not.
                if (const auto aligned = ruleAlignedDates(*m_event)) {
                    std::tie(m_event->startDate, m_event->endDate) = *aligned;
                    showEventInFields();
                    directEditDidEnd();
                    return;
                }
                announceChange();
            });
    m_alarmsGridView = new GridView;
    m_alarmsGridView->setVerticalMargin(2);
    m_gridView->setView(m_alarmsGridView, 1, 0);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = m_buttons->button(QDialogButtonBox::Ok);
    m_okButton->setDefault(true);
    m_okButton->setAccessibleName(tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(m_okButton, &QPushButton::clicked, this, &EditEventController::okAction);
    connect(m_buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
            &EditEventController::cancelAction);

    auto* dates = new QHBoxLayout;
    dates->addWidget(m_endDatePicker);
    dates->addWidget(m_isAllDayCheckbox);
    dates->addStretch();
    auto* form = m_form = new QFormLayout;
    const auto row = [form](const QString& label, QWidget* field) {
        auto* text = new QLabel(label);
        text->setBuddy(field);
        form->addRow(text, field);
    };
    const auto rowWithLayout = [form](const QString& label, QWidget* buddy, QLayout* fields) {
        auto* text = new QLabel(label);
        text->setBuddy(buddy);
        form->addRow(text, fields);
    };
    row(tr("&Title:"), m_titleField);
    row(tr("&Starts:"), m_startDatePicker);
    rowWithLayout(tr("&Ends:"), m_endDatePicker, dates);
    row(tr("&Calendar:"), m_calendarPopUp);
    row(tr("L&ocation:"), m_locationField);
    row(tr("&Notes:"), m_notesField);
    row(tr("Attendees:"), m_invitationView);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_commandField);
    layout->addLayout(form);
    layout->addWidget(m_gridView);
    layout->addWidget(m_buttons);
    // The panel takes the size its content asks for, so it grows and shrinks with the grid.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_titleField->setMinimumWidth(360);

    setTabOrder(m_commandField, m_titleField);
    setTabOrder(m_titleField, m_startDatePicker);
    setTabOrder(m_startDatePicker, m_endDatePicker);
    setTabOrder(m_endDatePicker, m_isAllDayCheckbox);
    setTabOrder(m_isAllDayCheckbox, m_calendarPopUp);
    setTabOrder(m_calendarPopUp, m_locationField);
    setTabOrder(m_locationField, m_notesField);
    setTabOrder(m_notesField, m_invitationView->attendeeList());
    setTabOrder(m_invitationView->attendeeList(), m_invitationView->answerButton(CalAttendee::Accepted));
    setTabOrder(m_invitationView->answerButton(CalAttendee::Accepted),
                m_invitationView->answerButton(CalAttendee::Tentative));
    setTabOrder(m_invitationView->answerButton(CalAttendee::Tentative),
                m_invitationView->answerButton(CalAttendee::Declined));
    setTabOrder(m_invitationView->answerButton(CalAttendee::Declined), m_recurrenceViewController);
}

void EditEventController::setReferenceDateProvider(std::function<CalendarDate()> provider) {
    m_referenceDateProvider = std::move(provider);
}

CalendarDate EditEventController::referenceDate() const {
    return m_referenceDateProvider ? m_referenceDateProvider() : CalendarDate::now();
}

void EditEventController::showWithNewEvent(const std::shared_ptr<CalEvent>& event) {
    m_isNewEvent = true;
    m_chosenPrograms.clear();
    showWithEventImpl(event);
}

void EditEventController::showWithEvent(const std::shared_ptr<CalEvent>& event) {
    m_isNewEvent = false;
    m_chosenPrograms.clear();
    showWithEventImpl(event);
}

void EditEventController::showWithEventImpl(const std::shared_ptr<CalEvent>& event) {
    m_event = event->copy();
    m_baseEvent = m_event->copy();
    m_backupEvent = event;
    m_shownEvent = event;
    {
        const QSignalBlocker quiet(m_commandField);
        m_commandField->clear();
        setTextColor(*m_commandField, VALID_TEXT_COLOR);
    }
    const bool editable = m_event->calendar && m_event->calendar->isEditable;
    setWindowTitle(!editable      ? tr("Event in Read-Only Calendar")
                   : m_isNewEvent ? tr("New Event")
                                  : tr("Edit Event"));
    refreshCalendarNames();
    rebuildAlarmRows();
    if (!m_isNewEvent)
        showDescription();
    showEventInFields();
    formatDatePickers();
    for (QWidget* field : std::initializer_list<QWidget*>{
             m_commandField, m_titleField, m_startDatePicker, m_endDatePicker, m_isAllDayCheckbox,
             m_calendarPopUp, m_locationField, m_notesField, m_gridView})
        field->setEnabled(editable);
    if (m_userDefaults.value(FRAME_KEY).isValid() && !isVisible())
        restoreGeometry(m_userDefaults.value(FRAME_KEY).toByteArray());
    show();
    raise();
    activateWindow();
    m_commandField->setFocus();
    announceChange();
}

void EditEventController::refreshCalendarNames() {
    const QString ownUid = m_event && m_event->calendar ? m_event->calendar->uid : QString();
    CalendarList offered;
    for (const auto& calendar : m_model.calendars()) {
        if (calendar->isEditable || calendar->uid == ownUid)
            offered.append(calendar);
    }
    offered = CalendarSortOrder::sorted(offered);
    QStringList names;
    QStringList completions;
    for (const auto& calendar : std::as_const(offered)) {
        names.append(calendar->title);
        completions.append(calendar->title + QStringLiteral(": "));
    }
    m_parsingController.setCalendarNames(names);
    m_commandFieldDelegate->setCompletions(completions + ENTRY_WORDS);
    const CalendarList all = m_model.calendars();
    m_eventBuilder->setCalendars(std::vector<std::shared_ptr<CalCalendar>>(all.begin(), all.end()));

    const QSignalBlocker quiet(m_calendarPopUp);
    m_calendarPopUp->clear();
    for (const auto& calendar : std::as_const(offered))
        m_calendarPopUp->addItem(calendar->title, calendar->uid);
    m_calendarPopUp->setCurrentIndex(m_calendarPopUp->findData(ownUid));
}

void EditEventController::showEventInFields() {
    if (!m_event)
        return;
    m_showing = true;
    if (m_titleField->text() != m_event->title)
        m_titleField->setText(m_event->title);
    m_startDatePicker->setDateTime(m_event->startDate.toLocalTime());
    m_endDatePicker->setDateTime(m_endDateTransformer.transformedValue(m_event->endDate).toLocalTime());
    m_isAllDayCheckbox->setChecked(m_event->isAllDay);
    m_calendarPopUp->setCurrentIndex(
        m_calendarPopUp->findData(m_event->calendar ? m_event->calendar->uid : QString()));
    m_recurrenceViewController->setRecurrenceRule(m_event->recurrenceRule);
    m_recurrenceViewController->setStartDate(m_event->startDate);
    if (m_locationField->text() != m_event->location)
        m_locationField->setText(m_event->location);
    if (m_notesField->toPlainText() != m_event->notes)
        m_notesField->setPlainText(m_event->notes);
    showInvitation();
    m_showing = false;
    refreshValidity();
}

QStringList EditEventController::myAddresses() const {
    return m_userDefaults.value(PreferenceKeys::MY_ADDRESSES).toStringList();
}

void EditEventController::showInvitation() {
    m_form->setRowVisible(m_invitationView, InvitationView::isInvitation(*m_event));
    m_invitationView->setEvent(*m_event, myAddresses(), m_event->calendar && m_event->calendar->isEditable);
}

void EditEventController::answerAction(CalAttendee::Status status) {
    const qsizetype mine = m_event ? CalAttendee::indexOf(m_event->attendees, myAddresses()) : -1;
    if (mine < 0 || m_showing)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString::number(status));
    CalAttendee& me = m_event->attendees[mine];
    me.status = status;
    me.replyRequested = false; // answered
    showInvitation();
    announceChange();
}

void EditEventController::showDescription() {
    const QSignalBlocker quiet(m_commandField);
    m_commandField->setPlainText(m_eventDescription->descriptionOfEvent(*m_event, referenceDate()));
    m_commandField->moveCursor(QTextCursor::End);
    setTextColor(*m_commandField, VALID_TEXT_COLOR);
}

void EditEventController::formatDatePickers() {
    if (!m_event)
        return;
    const QString format = m_event->isAllDay ? ALL_DAY_FORMAT : TIMED_FORMAT;
    m_startDatePicker->setDisplayFormat(format);
    m_endDatePicker->setDisplayFormat(format);
    m_endDateTransformer.setOffset(m_event->isAllDay ? -1 : 0);
    // The end control reads the end again through the new offset.
    showEventInFields();
}

bool EditEventController::isValid() const {
    if (!m_event)
        return false;
    return m_event->isAllDay ? m_event->startDate < m_event->endDate : m_event->startDate <= m_event->endDate;
}

void EditEventController::refreshValidity() {
    const QColor color = isValid() ? VALID_TEXT_COLOR : INVALID_TEXT_COLOR;
    setTextColor(*m_startDatePicker, color);
    setTextColor(*m_endDatePicker, color);
    m_okButton->setEnabled(isValid() && m_event && m_event->calendar && m_event->calendar->isEditable);
}

void EditEventController::commandFieldDidChange() {
    if (!m_event)
        return;
    const QString text = m_commandField->toPlainText();
    const std::optional<ParseTreeNode> tree = m_parsingController.parseEvent(text);
    if (!tree) {
        m_commandFieldHighlighter->setRecognisedLength(0);
        setTextColor(*m_commandField, INVALID_TEXT_COLOR);
        return;
    }
    // What comes before the title is what the language understood.
    const QString title = titleOf(*tree);
    const qsizetype titleStart = title.isEmpty() ? -1 : text.lastIndexOf(title);
    m_commandFieldHighlighter->setRecognisedLength(int(titleStart >= 0 ? titleStart : text.trimmed().size()));
    // Always from the base event, so that editing the line never piles up earlier partial results.
    const std::shared_ptr<CalEvent> built = m_baseEvent->copy();
    m_eventBuilder->updateEvent(*built, *tree, referenceDate());
    const bool allDayChanged = built->isAllDay != m_event->isAllDay;
    m_event->startDate = built->startDate;
    m_event->endDate = built->endDate;
    m_event->title = built->title;
    m_event->calendar = built->calendar;
    m_event->isAllDay = built->isAllDay;
    setTextColor(*m_commandField, VALID_TEXT_COLOR);
    if (allDayChanged)
        formatDatePickers();
    else
        showEventInFields();
    announceChange();
}

void EditEventController::titleAction() {
    if (!m_event || m_showing)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, m_titleField->text());
    showDescription();
    m_baseEvent = m_event->copy();
}

void EditEventController::startDateAction() {
    if (!m_event || m_showing)
        return;
    m_event->startDate = m_startDatePicker->dateTime().toUTC();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, m_event->startDate.toString(Qt::ISODate));
    refreshValidity();
    directEditDidEnd();
}

void EditEventController::endDateAction() {
    if (!m_event || m_showing)
        return;
    m_event->endDate = m_endDateTransformer.reverseTransformedValue(m_endDatePicker->dateTime()).toUTC();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, m_event->endDate.toString(Qt::ISODate));
    refreshValidity();
    directEditDidEnd();
}

void EditEventController::allDayAction() {
    if (!m_event)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString::number(m_isAllDayCheckbox->isChecked()));
    m_event->isAllDay = m_isAllDayCheckbox->isChecked();
    m_event->startDate = startOfDay(m_event->startDate);
    if (!isMidnight(m_event->endDate))
        m_event->endDate =
            CalendarDate::fromQDateTime(startOfDay(m_event->endDate)).dateByAddingDays(1).toQDateTime();
    formatDatePickers();
    directEditDidEnd();
}

void EditEventController::directEditDidEnd() {
    // A line typed next starts from the event as the fields now make it.
    showDescription();
    m_baseEvent = m_event->copy();
    announceChange();
}

void EditEventController::calendarAction() {
    if (!m_event)
        return;
    m_event->calendar = m_model.calendarWithUid(m_calendarPopUp->currentData().toString());
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, m_event->calendar ? m_event->calendar->title : QString());
    m_baseEvent = m_event->copy();
    announceChange();
}

void EditEventController::rebuildAlarmRows() {
    m_alarmsGridView->clear();
    m_alarmViewControllers.clear();
    for (const auto& alarm : std::as_const(m_event->alarms))
        addAlarmRow(alarm);
    addAlarmRow(emptyAlarm());
}

void EditEventController::addAlarmRow(const std::shared_ptr<CalAlarm>& alarm) {
    const int index = int(m_alarmViewControllers.size());
    auto* row = new AlarmSettingsViewController(alarm, index, m_event, *this, m_userDefaults, *m_soundPlayer);
    m_alarmViewControllers.append(row);
    m_alarmsGridView->setView(row, index, 0);
    QWidget* previous = index > 0 ? static_cast<QWidget*>(m_alarmViewControllers[index - 1])
                                  : static_cast<QWidget*>(m_recurrenceViewController);
    setTabOrder(previous, row);
}

void EditEventController::addAlarm(const std::shared_ptr<CalAlarm>& alarm) {
    if (!m_event)
        return;
    m_event->alarms.append(alarm);
    addAlarmRow(emptyAlarm());
    announceChange();
}

void EditEventController::removeAlarm(const std::shared_ptr<CalAlarm>& alarm) {
    if (!m_event)
        return;
    m_event->alarms.removeAll(alarm);
    rebuildAlarmRows();
    announceChange();
}

void EditEventController::programChosen(const CalAlarm& alarm) {
    m_chosenPrograms.append({alarm.url(), alarm.procedureArguments()});
}

// Approved before under the calendar the event came from also counts: moving it here is no new choice.
bool EditEventController::mayRunProgram(const CalAlarm& alarm) const {
    if (!m_event || !m_event->calendar || !m_event->calendar->isEditable)
        return false;
    return m_chosenPrograms.contains({alarm.url(), alarm.procedureArguments()}) ||
           m_programApprovals.isApproved(*m_event, alarm) ||
           (m_backupEvent && m_programApprovals.isApproved(*m_backupEvent, alarm));
}

QList<std::shared_ptr<CalAlarm>> EditEventController::programAlarmsThatMayRun() const {
    QList<std::shared_ptr<CalAlarm>> result;
    for (const auto& alarm : m_event->alarms)
        if (alarm->action() == CalAlarm::Procedure && mayRunProgram(*alarm))
            result.append(alarm);
    return result;
}

void EditEventController::approvePrograms(const CalEvent& saved,
                                          const QList<std::shared_ptr<CalAlarm>>& alarms) {
    for (const auto& alarm : alarms)
        m_programApprovals.approve(saved, *alarm);
}

void EditEventController::modelEventsChanged() {
    // A new event is not in the store yet, so nothing there can have changed it.
    if (!m_event || m_isNewEvent)
        return;
    // The occurrence the panel was opened on, not the one nearest to the typed dates.
    const std::shared_ptr<CalEvent> stored = m_model.closestOccurrenceToEvent(*m_backupEvent);
    if (!stored) {
        closeImpl();
        return;
    }
    // Other events come and go as the timeline loads its range: only a change of this event's stored
    // state takes the panel back to it.
    if (stored == m_backupEvent || sameStoredState(*stored, *m_backupEvent)) {
        m_backupEvent = stored;
        return;
    }
    if (sameStoredState(*m_event, *m_shownEvent)) {
        showWithEventImpl(stored);
        return;
    }
    // The user's edit stays on screen; OK asks whether it overwrites this change.
    m_backupEvent = stored;
    announceChange();
}

bool EditEventController::storedChangedSinceShown() const {
    return !sameStoredState(*m_backupEvent, *m_shownEvent);
}

UserInteraction::EditConflictAnswer EditEventController::askKeepMineOrTheirs() {
    return m_calendarController.userInteraction().askKeepMineOrTheirs(
        tr("The event was changed by another program"),
        tr("“%1” was changed by another program while you edited it. Keep My Version overwrites that "
           "change; Take Theirs discards your edit.")
            .arg(VisibleText::escaped(m_shownEvent->title)));
}

void EditEventController::okAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    if (!m_event)
        return;
    if (!m_event->calendar || !m_event->calendar->isEditable) {
        cancelAction();
        return;
    }
    if (!isValid())
        return;
    // A field being edited hands in its text first.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    const std::shared_ptr<CalEvent> edited = m_event;
    // Asked before saving: the save reaches the model, which may show the stored event here meanwhile.
    const QList<std::shared_ptr<CalAlarm>> programs = programAlarmsThatMayRun();
    if (m_isNewEvent) {
        m_calendarController.addEvent(*edited);
        m_undoManager.setActionName(tr("New Event"));
        const std::shared_ptr<CalEvent> stored = m_model.closestOccurrenceToEvent(*edited);
        if (stored)
            approvePrograms(*stored, programs);
        closeImpl();
        emit didCreateNewEvent(stored);
        return;
    }
    if (sameStoredState(*edited, *m_backupEvent)) {
        // Writing would change nothing but the file's time, and make a sync upload it for nothing.
        approvePrograms(*edited, programs);
        closeImpl();
        return;
    }
    if (storedChangedSinceShown()) {
        const UserInteraction::EditConflictAnswer answer = askKeepMineOrTheirs();
        if (answer == UserInteraction::EditConflictAnswer::Cancel || !m_event)
            return; // back to the edit, unless the event went away meanwhile
        if (answer == UserInteraction::EditConflictAnswer::TakeTheirs) {
            closeImpl();
            return;
        }
    }
    if (!m_calendarController.replaceEvent(m_backupEvent, *edited))
        return; // the user stopped the save, not the edit: it stays open as it was
    approvePrograms(*edited, programs);
    m_undoManager.setActionName(tr("Edit Event"));
    closeImpl();
}

void EditEventController::cancelAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    closeImpl();
}

void EditEventController::reject() {
    cancelAction();
}

void EditEventController::closeEvent(QCloseEvent* event) {
    if (m_event)
        cancelAction();
    event->accept();
}

void EditEventController::closeImpl() {
    if (isVisible())
        m_userDefaults.setValue(FRAME_KEY, saveGeometry());
    const std::shared_ptr<CalEvent> original = m_backupEvent;
    m_event = nullptr;
    m_baseEvent = nullptr;
    m_backupEvent = nullptr;
    m_shownEvent = nullptr;
    done(QDialog::Rejected); // hides the panel and tells that it is finished
    emit editedEventChanged(nullptr, original);
}

void EditEventController::announceChange() {
    if (m_event)
        emit editedEventChanged(m_event->copy(), m_isNewEvent ? nullptr : m_backupEvent);
}
