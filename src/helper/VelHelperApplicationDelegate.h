#pragma once

#include "AlarmService.h"
#include "VelHelperCalendarController.h"
#include "app/DialogUserInteraction.h"
#include "base/UndoManager.h"
#include "dates/DateFormatter.h"
#include "editing/CanberraSoundPlayer.h"
#include "editing/EditEventController.h"
#include "entry/ParsingController.h"
#include "shortcut/DistributedNotificationCenter.h"
#include "shortcut/GlobalHotKeyController.h"
#include "store/ApplicationModel.h"
#include "store/CalendarStoreController.h"
#include "store/ProgramAlarmApprovals.h"
#include "store/vdir/OnDemandCalendarStore.h"

#include <QDateTime>
#include <QObject>
#include <QVariantList>

#include <chrono>

#include <memory>

class UserDefaults;

// The helper program: keeps the global new-event shortcut while the main program is closed and opens
// the event editor on a press; delivers the alarms. It reads the main program's settings and follows
// them when told they changed; it quits when the main program asks.
class VelHelperApplicationDelegate : public QObject {
    Q_OBJECT
public:
    static inline const QString MAIN_BUNDLE_IDENTIFIER = QStringLiteral("com.pellowick.verdalune");

    // `mainDefaults` reads the main program's settings (with its registered defaults); `ownDefaults`
    // keeps what the editor remembers, such as its place. The calendars are read from `storeRoot`, and again
    // whenever they change on disk.
    VelHelperApplicationDelegate(UserDefaults& mainDefaults, UserDefaults& ownDefaults,
                                 const QString& storeRoot, QObject* parent = nullptr);
    ~VelHelperApplicationDelegate() override;

    void applicationDidFinishLaunching();
    // Reads the shortcut, the clock and the day-month order again from the main program's settings file.
    void restoreFromUserDefaults();
    bool isMainApplicationRunning() const;
    void didPressGlobalHotKey();

    GlobalHotKeyController& hotKeyController() const { return *m_hotKeyController; }
    // Made at the first press.
    EditEventController& editEventController();
    ApplicationModel& applicationModel() { return m_applicationModel; }

signals:
    // The main program asked the helper to quit.
    void exitRequested();

private:
    void reloadCalendars();
    void mainApplicationDidUpdateUserDefaults();
    // On the reminded occurrence (none: only the window), starting the main program if need be.
    void openInMainApplication(const QString& uid, const QDateTime& occurrenceStart);
    // Without waiting for an answer: the main program may be busy with a dialog.
    void askMainApplication(const QString& method, const QVariantList& arguments = {});
    void retryWhileMainApplicationHoldsShortcut();

    static constexpr std::chrono::milliseconds REGISTRATION_RETRY_DELAY{250};
    static constexpr int MAXIMUM_REGISTRATION_RETRIES = 40;
    // How long a main program started from a reminder may take to come up before the occurrence is
    // forgotten (it then only opens).
    static constexpr std::chrono::milliseconds MAIN_APPLICATION_START_PATIENCE{30000};

    UserDefaults& m_mainDefaults;
    UserDefaults& m_ownDefaults;
    OnDemandCalendarStore m_store; // open only while used: the helper idles for hours
    DialogUserInteraction m_interaction;
    CalendarStoreController m_storeController;
    ApplicationModel m_applicationModel;
    VelHelperCalendarController m_calendarController;
    UndoManager m_undoManager; // the editor wants one; the helper offers no undo
    // The entry line's and the editor's, made at the first press: an idle helper keeps neither.
    std::unique_ptr<ParsingController> m_parsingController;
    std::shared_ptr<DateFormatter> m_dateFormatter;
    std::shared_ptr<EventDescription> m_eventDescription;
    ProgramAlarmApprovals m_programApprovals{ProgramAlarmApprovals::defaultPath()};
    std::unique_ptr<EditEventController> m_editEventController;
    std::unique_ptr<GlobalHotKeyController> m_hotKeyController;
    std::unique_ptr<DistributedNotificationCenter> m_distributedNotificationCenter;
    CanberraSoundPlayer m_sounds;
    std::unique_ptr<AlarmService> m_alarmService;
    int m_registrationRetries = 0;
};
