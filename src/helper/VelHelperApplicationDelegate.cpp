#include "VelHelperApplicationDelegate.h"

#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "dates/EventDescription.h"
#include "shortcut/HelperController.h"
#include "shortcut/PreferenceController.h"
#include "shortcut/PreferenceKeys.h"
#include "store/RememberedCalendar.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QProcess>
#include <QTimer>

using namespace PreferenceKeys;

VelHelperApplicationDelegate::VelHelperApplicationDelegate(UserDefaults& mainDefaults,
                                                           UserDefaults& ownDefaults,
                                                           const QString& storeRoot, QObject* parent)
    : QObject(parent), m_mainDefaults(mainDefaults), m_ownDefaults(ownDefaults), m_store(storeRoot),
      m_storeController(m_store, m_interaction), m_calendarController(m_applicationModel, m_storeController),
      m_dateFormatter(std::make_shared<DateFormatter>()) {
    reloadCalendars();
    // Calendars made, renamed or removed by the main program or a sync are offered at the next press.
    connect(&m_store, &CalendarStore::calendarsChangedExternally, this,
            &VelHelperApplicationDelegate::reloadCalendars);
}

void VelHelperApplicationDelegate::reloadCalendars() {
    m_applicationModel.setCalendars(m_calendarController.loadAllCalendars());
    if (m_parsingController)
        m_parsingController->setCalendarNames(m_applicationModel.editableCalendarTitles());
}

VelHelperApplicationDelegate::~VelHelperApplicationDelegate() = default;

void VelHelperApplicationDelegate::applicationDidFinishLaunching() {
    m_dateFormatter->setLocale(QStringLiteral("en_US"));
    m_eventDescription = std::make_shared<EventDescription>(m_dateFormatter);
    m_hotKeyController = std::make_unique<GlobalHotKeyController>();
    connect(m_hotKeyController.get(), &GlobalHotKeyController::didPressGlobalHotKey, this,
            &VelHelperApplicationDelegate::didPressGlobalHotKey);
    m_distributedNotificationCenter = std::make_unique<DistributedNotificationCenter>();
    connect(m_distributedNotificationCenter.get(), &DistributedNotificationCenter::notificationPosted, this,
            [this](const QString& name) {
                if (name == PreferenceController::DID_UPDATE_USER_DEFAULTS)
                    mainApplicationDidUpdateUserDefaults();
                else if (name == HelperController::DID_REQUEST_HELPER_TO_EXIT)
                    emit exitRequested();
            });
    restoreFromUserDefaults();
    m_alarmService = std::make_unique<AlarmService>(m_store, m_sounds, *m_dateFormatter,
                                                    FiredAlarmLog::defaultPath(), m_programApprovals);
    connect(m_alarmService.get(), &AlarmService::openRequested, this,
            &VelHelperApplicationDelegate::openInMainApplication);
    m_alarmService->start();
}

void VelHelperApplicationDelegate::restoreFromUserDefaults() {
    m_mainDefaults.synchronize();
    m_dateFormatter->setTimeModeHours(m_mainDefaults.value(TIME_DISPLAY_HOURS).toInt());
    if (m_parsingController)
        m_parsingController->setDayMonthOrder(m_mainDefaults.value(DAY_MONTH_ORDER).toInt());
    m_hotKeyController->setNewEventCode(m_mainDefaults.value(NEW_EVENT_HOT_KEY_CODE).toInt());
    m_hotKeyController->setNewEventModifiers(m_mainDefaults.value(NEW_EVENT_HOT_KEY_FLAGS).toUInt());
    m_registrationRetries = 0;
    retryWhileMainApplicationHoldsShortcut();
}

// Started by the main program's switch, the helper asks for the keys while the main program still holds
// them; the main program lets go once it sees the helper on the bus.
void VelHelperApplicationDelegate::retryWhileMainApplicationHoldsShortcut() {
    if (m_hotKeyController->registrationError().isEmpty() || !isMainApplicationRunning() ||
        ++m_registrationRetries > MAXIMUM_REGISTRATION_RETRIES)
        return;
    QTimer::singleShot(REGISTRATION_RETRY_DELAY, this, [this] {
        m_hotKeyController->registerHotKey();
        retryWhileMainApplicationHoldsShortcut();
    });
}

void VelHelperApplicationDelegate::mainApplicationDidUpdateUserDefaults() {
    VL_LOG(LOTHER, Logger::LOG_INFO_LEVEL, QStringLiteral("the main program's settings changed"));
    restoreFromUserDefaults();
}

bool VelHelperApplicationDelegate::isMainApplicationRunning() const {
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(MAIN_BUNDLE_IDENTIFIER).value();
}

void VelHelperApplicationDelegate::didPressGlobalHotKey() {
    if (isMainApplicationRunning()) {
        // Only one program can hold the key, and while the helper runs it is the helper: the main
        // program opens its own editor.
        askMainApplication(QStringLiteral("newEvent"));
        return;
    }
    // Where the window's New Event would put it.
    m_mainDefaults.synchronize();
    RememberedCalendar::restore(m_applicationModel, m_mainDefaults);
    EditEventController& editor = editEventController();
    editor.showWithNewEvent(m_calendarController.createNewEvent());
    editor.raise();
    editor.activateWindow();
}

EditEventController& VelHelperApplicationDelegate::editEventController() {
    if (m_editEventController)
        return *m_editEventController;
    m_parsingController = std::make_unique<ParsingController>();
    m_parsingController->setCalendarNames(m_applicationModel.editableCalendarTitles());
    m_parsingController->setDayMonthOrder(m_mainDefaults.value(DAY_MONTH_ORDER).toInt());
    m_editEventController = std::make_unique<EditEventController>(
        m_applicationModel, m_calendarController, m_undoManager, m_eventDescription, *m_parsingController,
        m_ownDefaults, m_programApprovals);
    return *m_editEventController;
}

void VelHelperApplicationDelegate::openInMainApplication(const QString& uid,
                                                         const QDateTime& occurrenceStart) {
    const QString method = uid.isEmpty() ? QStringLiteral("activate") : QStringLiteral("showEvent");
    const QVariantList arguments =
        uid.isEmpty() ? QVariantList()
                      : QVariantList{uid, occurrenceStart.toUTC().toString(Qt::ISODateWithMs)};
    if (isMainApplicationRunning()) {
        askMainApplication(method, arguments);
        return;
    }
    // Asked once it owns its name on the bus; it takes the call when its window is up.
    auto* watcher = new QDBusServiceWatcher(MAIN_BUNDLE_IDENTIFIER, QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this, watcher, method, arguments] {
        askMainApplication(method, arguments);
        watcher->deleteLater();
    });
    QTimer::singleShot(MAIN_APPLICATION_START_PATIENCE, watcher, &QObject::deleteLater);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/verdalune");
    if (!QProcess::startDetached(program, {}))
        VL_LOG(LOTHER, Logger::LOG_ERROR_LEVEL,
               QStringLiteral("Verdalune could not be started from %1").arg(program));
}

void VelHelperApplicationDelegate::askMainApplication(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(MAIN_BUNDLE_IDENTIFIER, QStringLiteral("/"),
                                                       MAIN_BUNDLE_IDENTIFIER, method);
    call.setArguments(arguments);
    QDBusConnection::sessionBus().send(call);
}
