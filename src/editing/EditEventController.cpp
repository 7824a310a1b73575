#include "EditEventController.h"

#include "AlarmSettingsViewController.h"
#include "CanberraSoundPlayer.h"
#include "CommandFieldHighlighter.h"
#include "CommandFieldTextViewDelegate.h"
#include "GridView.h"
#include "InvitationView.h"
#include "PickerFormats.h"
#include "RecurrenceSettingsViewController.h"
#include "ScreenFittedScrollArea.h"
#include "TextViewWithCompletion.h"
#include "base/Logger.h"
#include "base/TextColors.h"
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
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <tuple>

#include <algorithm>

namespace {

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
void setTextColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Text, color);
    widget.setPalette(palette);
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
    if (edited())
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
        if (edited() && !m_showing) {
            edited()->title = title;
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
        m_startDatePicker->fontMetrics().horizontalAdvance(QStringLiteral("Wed Sep 30 2026  12:59 PM")) + 48;
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
        if (edited() && !m_showing)
            edited()->location = location;
    });
    m_notesField = new QPlainTextEdit(this);
    m_notesField->setAccessibleName(tr("Notes"));
    m_notesField->setTabChangesFocus(true);
    m_notesField->setFixedHeight(m_notesField->fontMetrics().lineSpacing() * 3 + 12);
    connect(m_notesField, &QPlainTextEdit::textChanged, this, [this] {
        if (edited() && !m_showing)
            edited()->notes = m_notesField->toPlainText();
    });

    m_invitationView = new InvitationView(this);
    connect(m_invitationView, &InvitationView::answerChosen, this, &EditEventController::answerAction);

    m_gridView = new GridView(this);
    m_gridView->setVerticalMargin(6);
    m_recurrenceViewController = new RecurrenceSettingsViewController(m_eventDescription);
    m_gridView->setView(m_recurrenceViewController, 0, 0);
    connect(m_recurrenceViewController, &RecurrenceSettingsViewController::recurrenceRuleChanged, this,
            [this](std::shared_ptr<CalRecurrenceRule> rule) {
                if (!m_session)
                    return;
                if (m_session->setRule(std::move(rule))) {
                    showEventInFields();
                    directEditDidEnd();
                    return;
                }
                announceChange();
            });
    m_alarmsGridView = new GridView;
    m_alarmsGridView->setVerticalMargin(2);
    m_gridView->setView(m_alarmsGridView, 1, 0);

    m_buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, &EditEventController::helpRequested);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &EditEventController::helpRequested);
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

    auto* body = new QWidget;
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(form);
    bodyLayout->addWidget(m_gridView);
    m_body = new ScreenFittedScrollArea(body, this);
    connect(m_gridView, &GridView::sizeChanged, m_body, &ScreenFittedScrollArea::fitWindowIntoScreen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_commandField);
    layout->addWidget(m_body);
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
    m_chosenPrograms.clear();
    m_session.emplace(event, true);
    showSession();
}

void EditEventController::showWithEvent(const std::shared_ptr<CalEvent>& event) {
    m_chosenPrograms.clear();
    m_session.emplace(event, false);
    showSession();
}

const std::shared_ptr<CalEvent>& EditEventController::event() const {
    static const std::shared_ptr<CalEvent> NONE;
    return m_session ? m_session->edited() : NONE;
}

bool EditEventController::isNewEvent() const {
    return m_session && m_session->isNew();
}

void EditEventController::showSession() {
    {
        const QSignalBlocker quiet(m_commandField);
        m_commandField->clear();
        m_commandFieldHighlighter->setRecognisedLength(0);
        setTextColor(*m_commandField, TextColors::current().valid);
    }
    const bool editable = m_session->isEditable();
    setWindowTitle(!editable      ? tr("Event in Read-Only Calendar")
                   : isNewEvent() ? tr("New Event")
                                  : tr("Edit Event"));
    refreshCalendarNames();
    rebuildAlarmRows();
    if (!isNewEvent())
        showDescription();
    showEventInFields();
    formatDatePickers();
    for (QWidget* field : std::initializer_list<QWidget*>{
             m_commandField, m_titleField, m_startDatePicker, m_endDatePicker, m_isAllDayCheckbox,
             m_calendarPopUp, m_locationField, m_notesField, m_gridView})
        field->setEnabled(editable);
    if (m_userDefaults.value(FRAME_KEY).isValid() && !isVisible())
        restoreGeometry(m_userDefaults.value(FRAME_KEY).toByteArray());
    m_body->fitWindowIntoScreen();
    show();
    raise();
    activateWindow();
    m_commandField->setFocus();
    announceChange();
}

void EditEventController::refreshCalendarNames() {
    const QString ownUid = edited() && edited()->calendar ? edited()->calendar->uid : QString();
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
    if (!edited())
        return;
    m_showing = true;
    if (m_titleField->text() != edited()->title)
        m_titleField->setText(edited()->title);
    m_startDatePicker->setDateTime(edited()->startDate.toLocalTime());
    m_endDatePicker->setDateTime(m_endDateTransformer.transformedValue(edited()->endDate).toLocalTime());
    m_isAllDayCheckbox->setChecked(edited()->isAllDay);
    m_calendarPopUp->setCurrentIndex(
        m_calendarPopUp->findData(edited()->calendar ? edited()->calendar->uid : QString()));
    m_recurrenceViewController->setRecurrenceRule(edited()->recurrenceRule);
    m_recurrenceViewController->setStartDate(edited()->startDate);
    if (m_locationField->text() != edited()->location)
        m_locationField->setText(edited()->location);
    if (m_notesField->toPlainText() != edited()->notes)
        m_notesField->setPlainText(edited()->notes);
    showInvitation();
    m_showing = false;
    refreshValidity();
}

QStringList EditEventController::myAddresses() const {
    return m_userDefaults.value(PreferenceKeys::MY_ADDRESSES).toStringList();
}

void EditEventController::showInvitation() {
    m_form->setRowVisible(m_invitationView, InvitationView::isInvitation(*edited()));
    m_invitationView->setEvent(*edited(), myAddresses(), m_session->isEditable());
}

void EditEventController::answerAction(CalAttendee::Status status) {
    if (!m_session || m_showing || !m_session->answer(status, myAddresses()))
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString::number(status));
    showInvitation();
    announceChange();
}

void EditEventController::showDescription() {
    const QSignalBlocker quiet(m_commandField);
    const QString line = m_eventDescription->descriptionOfEvent(*edited(), referenceDate());
    m_commandField->setPlainText(line);
    // Coloured as if typed, not with the length of the line typed last.
    const std::optional<ParseTreeNode> tree = m_parsingController.parseEvent(line);
    m_commandFieldHighlighter->setRecognisedLength(tree ? ParsingController::recognisedLength(line, *tree)
                                                        : 0);
    m_commandField->moveCursor(QTextCursor::End);
    setTextColor(*m_commandField, TextColors::current().valid);
}

void EditEventController::formatDatePickers() {
    if (!edited())
        return;
    const PickerFormats formats = PickerFormats::fromPreferences(m_userDefaults);
    const QString format = edited()->isAllDay ? formats.date : formats.dateAndTime;
    m_recurrenceViewController->setEndDateFormat(formats.date);
    m_startDatePicker->setDisplayFormat(format);
    m_endDatePicker->setDisplayFormat(format);
    m_endDateTransformer.setOffset(edited()->isAllDay ? -1 : 0);
    // The end control reads the end again through the new offset.
    showEventInFields();
}

bool EditEventController::isValid() const {
    return m_session && m_session->isValid();
}

void EditEventController::refreshValidity() {
    const QColor color = isValid() ? TextColors::current().valid : TextColors::current().invalid;
    setTextColor(*m_startDatePicker, color);
    setTextColor(*m_endDatePicker, color);
    m_okButton->setEnabled(isValid() && m_session->isEditable());
}

void EditEventController::commandFieldDidChange() {
    if (!edited())
        return;
    const QString text = m_commandField->toPlainText();
    const std::optional<ParseTreeNode> tree = m_parsingController.parseEvent(text);
    if (!tree) {
        m_commandFieldHighlighter->setRecognisedLength(0);
        // A line without any date, time or calendar is a new title for the event as it is.
        const bool title = !text.trimmed().isEmpty() && !m_parsingController.holdsDateOrTime(text);
        setTextColor(*m_commandField, title ? TextColors::current().valid : TextColors::current().invalid);
        if (title) {
            const std::shared_ptr<CalEvent> retitled = m_session->lineBase();
            retitled->title = text.trimmed();
            m_session->takeLine(*retitled);
            showEventInFields();
            announceChange();
        }
        return;
    }
    m_commandFieldHighlighter->setRecognisedLength(ParsingController::recognisedLength(text, *tree));
    const std::shared_ptr<CalEvent> built = m_session->lineBase();
    m_eventBuilder->updateEvent(*built, *tree, referenceDate());
    const bool allDayChanged = built->isAllDay != edited()->isAllDay;
    m_session->takeLine(*built);
    setTextColor(*m_commandField, TextColors::current().valid);
    if (allDayChanged)
        formatDatePickers();
    else
        showEventInFields();
    announceChange();
}

void EditEventController::titleAction() {
    if (!edited() || m_showing)
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, m_titleField->text());
    showDescription();
    m_session->settle();
}

void EditEventController::startDateAction() {
    if (!edited() || m_showing)
        return;
    m_session->setStart(m_startDatePicker->dateTime().toUTC());
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, edited()->startDate.toString(Qt::ISODate));
    refreshValidity();
    directEditDidEnd();
}

void EditEventController::endDateAction() {
    if (!edited() || m_showing)
        return;
    m_session->setEnd(m_endDateTransformer.reverseTransformedValue(m_endDatePicker->dateTime()).toUTC());
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, edited()->endDate.toString(Qt::ISODate));
    refreshValidity();
    directEditDidEnd();
}

void EditEventController::allDayAction() {
    if (!edited())
        return;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString::number(m_isAllDayCheckbox->isChecked()));
    m_session->setAllDay(m_isAllDayCheckbox->isChecked());
    formatDatePickers();
    directEditDidEnd();
}

void EditEventController::directEditDidEnd() {
    showDescription();
    m_session->settle();
    announceChange();
}

void EditEventController::calendarAction() {
    if (!edited())
        return;
    m_session->setCalendar(m_model.calendarWithUid(m_calendarPopUp->currentData().toString()));
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, edited()->calendar ? edited()->calendar->title : QString());
    announceChange();
}

void EditEventController::rebuildAlarmRows() {
    m_alarmsGridView->clear();
    m_alarmViewControllers.clear();
    for (const auto& alarm : std::as_const(edited()->alarms))
        addAlarmRow(alarm);
    addAlarmRow(emptyAlarm());
}

void EditEventController::addAlarmRow(const std::shared_ptr<CalAlarm>& alarm) {
    const int index = int(m_alarmViewControllers.size());
    auto* row =
        new AlarmSettingsViewController(alarm, index, edited(), *this, m_userDefaults, *m_soundPlayer);
    m_alarmViewControllers.append(row);
    m_alarmsGridView->setView(row, index, 0);
    QWidget* previous = index > 0 ? static_cast<QWidget*>(m_alarmViewControllers[index - 1])
                                  : static_cast<QWidget*>(m_recurrenceViewController);
    setTabOrder(previous, row);
}

void EditEventController::addAlarm(const std::shared_ptr<CalAlarm>& alarm) {
    if (!edited())
        return;
    edited()->alarms.append(alarm);
    addAlarmRow(emptyAlarm());
    announceChange();
}

void EditEventController::removeAlarm(const std::shared_ptr<CalAlarm>& alarm) {
    if (!edited())
        return;
    edited()->alarms.removeAll(alarm);
    rebuildAlarmRows();
    announceChange();
}

void EditEventController::programChosen(const CalAlarm& alarm) {
    m_chosenPrograms.append({alarm.url(), alarm.procedureArguments()});
}

// Approved before under the calendar the event came from also counts: moving it here is no new choice.
bool EditEventController::mayRunProgram(const CalAlarm& alarm) const {
    if (!edited() || !edited()->calendar || !edited()->calendar->isEditable)
        return false;
    return m_chosenPrograms.contains({alarm.url(), alarm.procedureArguments()}) ||
           m_programApprovals.isApproved(*edited(), alarm) ||
           (m_session->stored() && m_programApprovals.isApproved(*m_session->stored(), alarm));
}

QList<std::shared_ptr<CalAlarm>> EditEventController::programAlarmsThatMayRun() const {
    QList<std::shared_ptr<CalAlarm>> result;
    for (const auto& alarm : edited()->alarms)
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
    if (!m_session || isNewEvent())
        return;
    // The occurrence the panel was opened on, not the one nearest to the typed dates. Other events come
    // and go as the timeline loads its range: only a change of this event's stored state counts.
    switch (m_session->storedEventIs(m_model.closestOccurrenceToEvent(*m_session->stored()))) {
    case EventEditSession::StoredChange::None:
        return;
    case EventEditSession::StoredChange::Gone:
        closeImpl();
        return;
    case EventEditSession::StoredChange::Reshow:
        showSession();
        return;
    case EventEditSession::StoredChange::Kept:
        // The user's edit stays on screen; OK asks whether it overwrites this change.
        announceChange();
        return;
    }
}

UserInteraction::EditConflictAnswer EditEventController::askKeepMineOrTheirs() {
    return m_calendarController.userInteraction().askKeepMineOrTheirs(
        tr("The event was changed by another program"),
        tr("“%1” was changed by another program while you edited it. Keep My Version overwrites that "
           "change; Take Theirs discards your edit.")
            .arg(VisibleText::escaped(m_session->shown()->title)));
}

void EditEventController::okAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    if (!edited())
        return;
    if (!edited()->calendar || !edited()->calendar->isEditable) {
        cancelAction();
        return;
    }
    if (!isValid())
        return;
    // A field being edited hands in its text first.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    const std::shared_ptr<CalEvent> working = edited();
    // Asked before saving: the save reaches the model, which may show the stored event here meanwhile.
    const QList<std::shared_ptr<CalAlarm>> programs = programAlarmsThatMayRun();
    const bool isNew = isNewEvent();
    switch (m_session->save(m_calendarController, m_undoManager, isNew ? tr("New Event") : tr("Edit Event"),
                            [this] { return askKeepMineOrTheirs(); })) {
    case EventEditSession::Outcome::StayOpen:
        return;
    case EventEditSession::Outcome::Discarded:
        closeImpl();
        return;
    case EventEditSession::Outcome::Saved:
    case EventEditSession::Outcome::Unchanged:
        break;
    }
    const std::shared_ptr<CalEvent> stored = isNew ? m_model.closestOccurrenceToEvent(*working) : working;
    if (stored)
        approvePrograms(*stored, programs);
    closeImpl();
    if (isNew)
        emit didCreateNewEvent(stored);
}

void EditEventController::cancelAction() {
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    closeImpl();
}

void EditEventController::reject() {
    cancelAction();
}

void EditEventController::closeEvent(QCloseEvent* event) {
    if (edited())
        cancelAction();
    event->accept();
}

void EditEventController::closeImpl() {
    if (isVisible())
        m_userDefaults.setValue(FRAME_KEY, saveGeometry());
    const std::shared_ptr<CalEvent> original = m_session ? m_session->stored() : nullptr;
    m_session.reset();
    done(QDialog::Rejected); // hides the panel and tells that it is finished
    emit editedEventChanged(nullptr, original);
}

void EditEventController::announceChange() {
    if (edited())
        emit editedEventChanged(edited()->copy(), m_session->stored());
}
