#pragma once

#include "ActionsController.h"
#include "DialogUserInteraction.h"
#include "FirstTimeLaunchPanelController.h"
#include "GoToDateController.h"
#include "ImportController.h"
#include "MainWindow.h"
#include "NewEventShortcutBinding.h"
#include "SingleInstance.h"
#include "accounts/CalDavAccounts.h"
#include "accounts/SyncSchedule.h"
#include "base/UndoManager.h"
#include "editing/EditEventController.h"
#include "entry/ParsingController.h"
#include "outline/AddCalDavAccountDialog.h"
#include "outline/CalendarsOutlineController.h"
#include "outline/EditCalendarController.h"
#include "outline/NewAccountCalendars.h"
#include "outline/RemoveAccountController.h"
#include "outline/RemoveCalendarController.h"
#include "outline/StatusDescriptionController.h"
#include "outline/SyncConflictController.h"
#include "search/SearchController.h"
#include "shortcut/DistributedNotificationCenter.h"
#include "shortcut/HelperController.h"
#include "shortcut/PreferenceController.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/CalendarStoreController.h"
#include "store/ProgramAlarmApprovals.h"
#include "store/vdir/VdirCalendarStore.h"
#include "timeline/view/TimelineViewController.h"

#include <QObject>

#include <memory>

class DateFormatter;
class EventDescription;
class UserDefaults;

// Starts the main program and wires it together: the defaults, the formatters, the store and the data
// loop over it, the CalDAV accounts and when they sync, the window and its controllers, and the bindings
// between them and the user defaults.
class ApplicationDelegate : public QObject {
    Q_OBJECT
public:
    // Registers the defaults and restores the loggers.
    explicit ApplicationDelegate(UserDefaults& userDefaults, QObject* parent = nullptr);
    ~ApplicationDelegate() override;

    // Builds everything over the calendar folder `root`.
    void start(const QString& root);
    // Shows now, brings the window to the front and applies the screenshot switch.
    void finishLaunching();
    void showMainWindow();
    // Runs the helper program `helperPath` while the preferences ask for it, and adds it to or removes
    // it from the programs started at login; while the welcome panel is open, once it closes.
    void startHelperControl(const QString& helperPath);
    // The new-event editor in front, as the global shortcut asks.
    void showNewEventEditor();
    // The window on the occurrence of `uid` that starts at `occurrenceStart`, selected and in view; for an
    // unknown one, or an invalid start, only the window.
    void showEvent(const QString& uid, const QDateTime& occurrenceStart);
    // Follows what later starts and the helper ask `instance` for.
    void listen(SingleInstance& instance);
    // What this start asks for, once launched.
    void open(const LaunchRequest& request);
    // The window in front, with the import of `paths`.
    void importFiles(const QStringList& paths);

    MainWindow& mainWindow() const { return *m_window; }
    TimelineViewController& timelineViewController() const { return *m_timelineViewController; }
    ActionsController& actionsController() const { return *m_actionsController; }
    EditEventController& editEventController() const { return *m_editEventController; }
    CalendarsOutlineController& calendarsOutlineController() const { return *m_calendarsOutlineController; }
    SearchController& searchController() const { return *m_searchController; }
    ImportController& importController() const { return *m_importController; }
    ApplicationModel& applicationModel() { return m_model; }
    UndoManager& undoManager() { return m_undoManager; }
    CalendarController& calendarController() const { return *m_calendarController; }
    CalendarStoreController& calendarStoreController() const { return *m_storeController; }
    VdirCalendarStore& store() const { return *m_store; }
    ParsingController& parsingController() { return m_parsingController; }
    GoToDateController& goToDateController() const { return *m_goToDateController; }
    FirstTimeLaunchPanelController& firstTimeLaunchPanelController() const {
        return *m_firstTimeLaunchPanelController;
    }
    PreferenceController& preferenceController() const { return *m_preferenceController; }
    NewEventShortcutBinding& newEventShortcut() const { return *m_newEventShortcut; }
    HelperController* helperController() const { return m_helperController.get(); }
    CalDavAccounts& calDavAccounts() const { return *m_accounts; }
    AddCalDavAccountDialog& addCalDavAccountDialog() const { return *m_addAccountDialog; }
    RemoveAccountController& removeAccountController() const { return *m_removeAccountController; }
    SyncConflictController& syncConflictController() const { return *m_syncConflictController; }

private:
    void bindDayMonthOrder();
    void setUpEventEditor();
    void setUpAccounts(const QString& root);
    void setUpCalendars();
    void setUpAccountCommands();
    void setUpSearch();
    void setUpPreferences();
    void followCalendarNames();
    void bindTimeDisplayHours();
    void bindTimelineDefaults();
    // Brings a new or imported event into view, selected.
    void showAndSelect(const CalEvent& event);
    void warnUnlessGregorian();

    UserDefaults& m_userDefaults;
    std::shared_ptr<DateFormatter> m_localDateFormatter;
    std::shared_ptr<DateFormatter> m_parsingDateFormatter;
    std::shared_ptr<EventDescription> m_eventDescription;
    UndoManager m_undoManager;
    ParsingController m_parsingController;
    ApplicationModel m_model;
    DialogUserInteraction m_interaction;
    std::unique_ptr<VdirCalendarStore> m_store;
    std::unique_ptr<CalendarStoreController> m_storeController;
    std::unique_ptr<CalDavAccounts> m_accounts;
    std::unique_ptr<SyncSchedule> m_syncSchedule;
    std::unique_ptr<NewAccountCalendars> m_newAccountCalendars;
    std::unique_ptr<CalendarController> m_calendarController;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<TimelineViewController> m_timelineViewController;
    std::unique_ptr<ActionsController> m_actionsController;
    ProgramAlarmApprovals m_programApprovals{ProgramAlarmApprovals::defaultPath()};
    std::unique_ptr<EditEventController> m_editEventController;
    std::unique_ptr<CalendarsOutlineController> m_calendarsOutlineController;
    std::unique_ptr<StatusDescriptionController> m_statusDescriptionController;
    std::unique_ptr<EditCalendarController> m_editCalendarController;
    std::unique_ptr<RemoveCalendarController> m_removeCalendarController;
    std::unique_ptr<AddCalDavAccountDialog> m_addAccountDialog;
    std::unique_ptr<RemoveAccountController> m_removeAccountController;
    std::unique_ptr<SyncConflictController> m_syncConflictController;
    std::unique_ptr<SearchController> m_searchController;
    std::unique_ptr<ImportController> m_importController;
    std::unique_ptr<GoToDateController> m_goToDateController;
    FirstTimeLaunchPanelController* m_firstTimeLaunchPanelController = nullptr; // owned by the window
    DistributedNotificationCenter m_distributedNotificationCenter;
    std::unique_ptr<NewEventShortcutBinding> m_newEventShortcut;
    PreferenceController* m_preferenceController = nullptr; // owned by the window
    std::unique_ptr<HelperController> m_helperController;
};
