#include "ApplicationDelegate.h"

#include "ApplicationDefaults.h"
#include "CalendarsPane.h"
#include "HelpWindow.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "shortcut/PreferenceKeys.h"
#include "store/RememberedCalendar.h"
#include "timeline/view/InlineEditEventController.h"
#include "timeline/view/TimelineView.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <unicode/calendar.h>

#include <cstring>
#include <memory>

using namespace PreferenceKeys;

namespace {

const QString TIMELINE_MODE = QStringLiteral("timelineMode");
const QString TIMELINE_TIME_INTERVAL = QStringLiteral("timelineTimeInterval");
const QString SCREENSHOT = QStringLiteral("screenshot");

bool isGregorianCalendar() {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(status));
    return U_FAILURE(status) || std::strcmp(calendar->getType(), "gregorian") == 0;
}

} // namespace

ApplicationDelegate::ApplicationDelegate(UserDefaults& userDefaults, QObject* parent)
    : QObject(parent), m_userDefaults(userDefaults), m_localDateFormatter(std::make_shared<DateFormatter>()),
      m_parsingDateFormatter(std::make_shared<DateFormatter>()) {
    m_userDefaults.registerDefaults(ApplicationDefaults::registeredDefaults());
    if (!Logger::restoreFromUserDefaults(m_userDefaults.value(QStringLiteral("loggers"))))
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL, QStringLiteral("Failed to initialize logging"));
    m_parsingDateFormatter->setLocale(QStringLiteral("en_US"));
    m_eventDescription = std::make_shared<EventDescription>(m_parsingDateFormatter);
    connect(&m_undoManager, &UndoManager::didUndo, this,
            [] { VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString()); });
    connect(&m_undoManager, &UndoManager::didRedo, this,
            [] { VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString()); });
}

ApplicationDelegate::~ApplicationDelegate() = default;

void ApplicationDelegate::start(const QString& root) {
    // The window shows at once; files the index does not hold (at a first start, all) fill it in.
    m_store = std::make_unique<VdirCalendarStore>(root, VdirCalendarStore::Watch::Changes, nullptr,
                                                  VdirCalendarStore::Reading::Gradually);
    m_storeController = std::make_unique<CalendarStoreController>(*m_store, m_interaction);
    m_calendarController =
        std::make_unique<CalendarController>(m_model, *m_storeController, m_undoManager, m_userDefaults);
    setUpAccounts(root);
    m_window = std::make_unique<MainWindow>(m_userDefaults);
    m_interaction.setWindow(m_window.get());
    connect(m_store.get(), &VdirCalendarStore::readProgressed, m_window.get(), &MainWindow::showReadProgress);
    TimelineView& view = m_window->timelineView();
    view.setDateFormatter(m_localDateFormatter);
    view.setEventDescription(m_eventDescription);
    m_timelineViewController = std::make_unique<TimelineViewController>(view, m_model, *m_calendarController,
                                                                        m_undoManager, &m_parsingController);
    setUpEventEditor();
    setUpCalendars();
    m_window->setUpCommands(*m_timelineViewController, *m_actionsController, m_undoManager, m_model);
    setUpAccountCommands();
    setUpSearch(); // its field goes into the tool bar
    m_goToDateController = std::make_unique<GoToDateController>(m_eventDescription, m_parsingController,
                                                                *m_timelineViewController);
    connect(m_window.get(), &MainWindow::goToDateRequested, this,
            [this] { m_goToDateController->showGoToDate(m_window.get()); });
    bindDayMonthOrder();
    followCalendarNames();
    bindTimeDisplayHours();
    bindTimelineDefaults();
    m_firstTimeLaunchPanelController = new FirstTimeLaunchPanelController(m_userDefaults, m_window.get());
    connect(m_firstTimeLaunchPanelController, &FirstTimeLaunchPanelController::newEventRequested,
            m_actionsController.get(), &ActionsController::createNewEvent);
    connect(m_firstTimeLaunchPanelController, &FirstTimeLaunchPanelController::tipsRequested, m_window.get(),
            &MainWindow::showKeyboardShortcuts);
    setUpPreferences();
}

void ApplicationDelegate::setUpPreferences() {
    m_newEventShortcut =
        std::make_unique<NewEventShortcutBinding>(m_userDefaults, HelperController::HELPER_BUNDLE_IDENTIFIER);
    connect(m_newEventShortcut.get(), &NewEventShortcutBinding::pressed, this,
            &ApplicationDelegate::showNewEventEditor);
    m_preferenceController =
        new PreferenceController(m_userDefaults, m_distributedNotificationCenter,
                                 &m_newEventShortcut->hotKeyController(), m_window.get());
    connect(m_window.get(), &MainWindow::preferencesRequested, this, [this] {
        m_preferenceController->show();
        m_preferenceController->raise();
        m_preferenceController->activateWindow();
    });
}

void ApplicationDelegate::startHelperControl(const QString& helperPath) {
    // The welcome panel asks first: nothing is written or started before it closes, and its alerts do
    // not open over it.
    if (m_firstTimeLaunchPanelController->isVisible()) {
        connect(
            m_firstTimeLaunchPanelController, &FirstTimeLaunchPanelController::closed, this,
            [this, helperPath] { startHelperControl(helperPath); }, Qt::SingleShotConnection);
        return;
    }
    m_helperController =
        std::make_unique<HelperController>(m_distributedNotificationCenter, helperPath, m_window.get());
    m_helperController->setEnabled(m_preferenceController->shouldRunHelperApplication());
    connect(m_preferenceController, &PreferenceController::shouldRunHelperApplicationChanged,
            m_helperController.get(), &HelperController::setEnabled);
}

void ApplicationDelegate::showNewEventEditor() {
    showMainWindow();
    m_actionsController->createNewEvent();
}

void ApplicationDelegate::showEvent(const QString& uid, const QDateTime& occurrenceStart) {
    showMainWindow();
    if (uid.isEmpty() || !occurrenceStart.isValid())
        return;
    // Where the occurrence starts: the timeline loads those dates, then the model has its record.
    CalEvent probe;
    probe.uid = uid;
    probe.startDate = probe.endDate = occurrenceStart;
    m_timelineViewController->ensureEventIsVisible(probe);
    if (const auto occurrence = m_model.closestOccurrenceToEvent(probe); occurrence && occurrence->uid == uid)
        m_model.setSelectedEvent(occurrence);
}

void ApplicationDelegate::listen(SingleInstance& instance) {
    connect(&instance, &SingleInstance::activationRequested, this, &ApplicationDelegate::showMainWindow);
    connect(&instance, &SingleInstance::newEventRequested, this, &ApplicationDelegate::showNewEventEditor);
    connect(&instance, &SingleInstance::importRequested, this, &ApplicationDelegate::importFiles);
    connect(&instance, &SingleInstance::eventShowRequested, this, &ApplicationDelegate::showEvent);
}

void ApplicationDelegate::open(const LaunchRequest& request) {
    if (!request.files.isEmpty())
        importFiles(request.files);
    if (request.newEvent)
        showNewEventEditor();
}

void ApplicationDelegate::importFiles(const QStringList& paths) {
    showMainWindow();
    m_importController->importFiles(m_window.get(), paths);
}

void ApplicationDelegate::setUpAccounts(const QString& root) {
    m_accounts = std::make_unique<CalDavAccounts>(root);
    m_syncSchedule = std::make_unique<SyncSchedule>(*m_accounts, m_userDefaults);
    // Only this program's own writes: a sync's, or another program's, must not start the next sync.
    connect(m_store.get(), &CalendarStore::eventsChanged, m_syncSchedule.get(),
            &SyncSchedule::localChangeMade);
    connect(m_store.get(), &CalendarStore::calendarsChanged, m_syncSchedule.get(),
            &SyncSchedule::localChangeMade);
    m_syncConflictController = std::make_unique<SyncConflictController>(m_model, *m_accounts);
    m_newAccountCalendars = std::make_unique<NewAccountCalendars>(m_model, *m_accounts);
}

void ApplicationDelegate::setUpAccountCommands() {
    m_syncConflictController->setWindow(m_window.get());
    m_addAccountDialog = std::make_unique<AddCalDavAccountDialog>(*m_accounts);
    m_removeAccountController =
        std::make_unique<RemoveAccountController>(m_model, *m_accounts, *m_calendarController, m_undoManager);
    MainWindow* window = m_window.get();
    auto refreshSyncNow = [this, window] { window->setSyncNowEnabled(!m_accounts->accounts().isEmpty()); };
    refreshSyncNow();
    connect(m_accounts.get(), &CalDavAccounts::accountsChanged, window, refreshSyncNow);
    connect(window, &MainWindow::syncNowRequested, m_accounts.get(), &CalDavAccounts::syncNow);
    connect(window, &MainWindow::addAccountRequested, this,
            [this, window] { m_addAccountDialog->showAddAccount(window); });
    connect(window, &MainWindow::removeAccountRequested, this, [this, window] {
        m_removeAccountController->showRemoveAccount(m_calendarsOutlineController->selectedAccountId(),
                                                     window);
    });
    window->setRemoveAccountEnabled(!m_calendarsOutlineController->selectedAccountId().isEmpty());
    connect(m_calendarsOutlineController.get(), &CalendarsOutlineController::selectedAccountIdChanged, window,
            [window](const QString& accountId) { window->setRemoveAccountEnabled(!accountId.isEmpty()); });
}

void ApplicationDelegate::setUpCalendars() {
    m_calendarsOutlineController =
        std::make_unique<CalendarsOutlineController>(m_model, m_userDefaults, m_accounts.get());
    m_statusDescriptionController = std::make_unique<StatusDescriptionController>(m_model);
    m_editCalendarController = std::make_unique<EditCalendarController>(*m_calendarController, m_undoManager);
    m_removeCalendarController =
        std::make_unique<RemoveCalendarController>(m_model, *m_calendarController, m_undoManager);
    CalendarsOutlineController& outline = *m_calendarsOutlineController;
    m_window->setSidePane(new CalendarsPane(outline, *m_statusDescriptionController));
    m_window->setSidePaneShown(outline.shouldDisplayCalendarsOutline());
    connect(&outline, &CalendarsOutlineController::shouldDisplayCalendarsOutlineChanged, m_window.get(),
            &MainWindow::setSidePaneShown);
    connect(m_window.get(), &MainWindow::sidePaneShownChanged, &outline,
            &CalendarsOutlineController::setShouldDisplayCalendarsOutline);
    connect(m_window.get(), &MainWindow::newCalendarRequested, this,
            [this] { m_editCalendarController->showNewCalendar(m_window.get()); });
    connect(m_window.get(), &MainWindow::editCalendarRequested, this, [this] {
        if (const auto calendar = m_model.selectedCalendar())
            m_editCalendarController->showEditCalendar(*calendar, m_window.get());
    });
    connect(m_window.get(), &MainWindow::removeCalendarRequested, this,
            [this] { m_removeCalendarController->showRemoveCalendar(m_window.get()); });
    m_importController = std::make_unique<ImportController>(m_model, *m_storeController, m_undoManager);
    connect(m_window.get(), &MainWindow::importRequested, this,
            [this] { m_importController->run(m_window.get()); });
    connect(m_importController.get(), &ImportController::didImport, this,
            [this](const std::shared_ptr<CalEvent>& first) { showAndSelect(*first); });
    // The calendar chosen last time is chosen again once the calendars have been read.
    RememberedCalendar::keep(m_model, m_userDefaults);
}

void ApplicationDelegate::setUpSearch() {
    m_searchController = std::make_unique<SearchController>(
        m_model, *m_calendarController, *m_timelineViewController, m_userDefaults, [this] {
            if (m_model.selectedEvent())
                m_actionsController->showSelectedEvent();
        });
    m_searchController->placeInSplitter(m_window->timelineSplitter());
    m_window->setSearchField(m_searchController->searchField());
    connect(m_window.get(), &MainWindow::findRequested, m_searchController.get(),
            &SearchController::focusSearchField);
}

void ApplicationDelegate::setUpEventEditor() {
    m_editEventController = std::make_unique<EditEventController>(
        m_model, *m_calendarController, m_undoManager, m_eventDescription, m_parsingController,
        m_userDefaults, m_programApprovals, m_window.get());
    m_actionsController =
        std::make_unique<ActionsController>(m_model, *m_calendarController, *m_timelineViewController,
                                            m_undoManager, m_editEventController.get());
    connect(m_timelineViewController.get(), &TimelineViewController::selectedEventOpenRequested,
            m_actionsController.get(), &ActionsController::showSelectedEvent);
    EditEventController& editor = *m_editEventController;
    connect(&editor, &EditEventController::editedEventChanged, m_timelineViewController.get(),
            &TimelineViewController::setEditedEvent);
    connect(&editor, &EditEventController::helpRequested, m_window.get(),
            [this] { m_window->showHelp(HelpWindow::EDIT_EVENT); });
    connect(&editor, &EditEventController::didCreateNewEvent, this, [this](std::shared_ptr<CalEvent> stored) {
        if (stored)
            showAndSelect(*stored);
    });
}

void ApplicationDelegate::showAndSelect(const CalEvent& event) {
    m_timelineViewController->ensureEventIsVisible(event);
    // The timeline has loaded the dates it shows now: the model's record of the occurrence is selected.
    m_model.setSelectedEvent(m_model.closestOccurrenceToEvent(event));
}

void ApplicationDelegate::bindDayMonthOrder() {
    m_parsingController.setDayMonthOrder(m_userDefaults.value(DAY_MONTH_ORDER).toInt());
    connect(&m_userDefaults, &UserDefaults::valueChanged, this, [this](const QString& key) {
        if (key == DAY_MONTH_ORDER)
            m_parsingController.setDayMonthOrder(m_userDefaults.value(DAY_MONTH_ORDER).toInt());
    });
}

// The entry language knows the editable calendars by their titles.
void ApplicationDelegate::followCalendarNames() {
    auto apply = [this] { m_parsingController.setCalendarNames(m_model.editableCalendarTitles()); };
    apply();
    connect(&m_model, &ApplicationModel::calendarsChanged, this, apply);
}

void ApplicationDelegate::bindTimeDisplayHours() {
    auto apply = [this] {
        const int hours = m_userDefaults.value(TIME_DISPLAY_HOURS).toInt();
        m_localDateFormatter->setTimeModeHours(hours);
        m_parsingDateFormatter->setTimeModeHours(hours); // also the event description's
        m_window->timelineView().timeModeDidChange();
    };
    apply();
    connect(&m_userDefaults, &UserDefaults::valueChanged, this, [apply](const QString& key) {
        if (key == TIME_DISPLAY_HOURS)
            apply();
    });
}

void ApplicationDelegate::bindTimelineDefaults() {
    TimelineViewController& timeline = *m_timelineViewController;
    // A mode other than the two scales in the settings file is ignored, not fatal.
    const int mode = m_userDefaults.value(TIMELINE_MODE).toInt();
    if (mode == TimelineViewController::Logarithmic || mode == TimelineViewController::Linear)
        timeline.setViewMode(mode);
    bool isNumber = false;
    const double interval = m_userDefaults.value(TIMELINE_TIME_INTERVAL).toDouble(&isNumber);
    if (isNumber && interval > 0)
        timeline.setTimeInterval(interval);
    connect(&timeline, &TimelineViewController::viewModeChanged, this,
            [this](int value) { m_userDefaults.setValue(TIMELINE_MODE, value); });
    connect(&timeline, &TimelineViewController::timeIntervalChanged, this,
            [this](double value) { m_userDefaults.setValue(TIMELINE_TIME_INTERVAL, value); });
}

void ApplicationDelegate::finishLaunching() {
    // Shown first: "now at 50 pixels" needs the width the window gives the timeline.
    showMainWindow();
    // The keys act on the timeline from the start (arrows, Return, Ctrl+Z), not on the calendars pane.
    m_window->timelineView().setFocus(Qt::OtherFocusReason);
    // The first view request loads the calendars and events.
    m_timelineViewController->showNow();
    warnUnlessGregorian();
    if (m_userDefaults.value(SCREENSHOT).toInt() != 0) {
        const QPoint origin = m_window->pos();
        m_window->resize(1280, 800);
        m_window->move(origin);
        m_window->update();
    }
    m_firstTimeLaunchPanelController->showFirstTimeLaunchPanelUnlessSupressedCenterInWindow(m_window.get());
}

void ApplicationDelegate::showMainWindow() {
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ApplicationDelegate::warnUnlessGregorian() {
    if (isGregorianCalendar())
        return;
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    tr("This application probably won't work with your type of calendar."),
                    QMessageBox::NoButton, m_window.get());
    box.setInformativeText(tr(
        "The application has only been tested with gregorian calendars and was not designed with any other "
        "types of calendars in mind.  Therefore, it will probably not work correctly in all cases since you "
        "are not using a gregorian calendar. Sorry about that!\n\nSuch support might be added in the "
        "future."));
    QPushButton* quit = box.addButton(tr("Quit"), QMessageBox::RejectRole);
    box.addButton(tr("I'm feeling lucky!"), QMessageBox::AcceptRole);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
    if (box.clickedButton() == quit)
        QApplication::exit(0);
}
