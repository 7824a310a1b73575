#pragma once

#include <QMainWindow>

class ActionsController;
class ApplicationModel;
class HelpWindow;
class QAction;
class QScrollArea;
class QSplitter;
class QToolBar;
class ReadProgressStatus;
class TimelineView;
class TimelineViewController;
class UndoManager;
class UserDefaults;
class ZoomController;

// The main window: the calendars pane beside the timeline in its scroll area, a tool bar (new event,
// previous, today, next, zoom, scale, search) and the menus with their shortcuts. Tab goes through the
// tool bar to the timeline, and the timeline has the keyboard again whenever a dialog over the window
// closes. It remembers its size and place.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString GEOMETRY_KEY = QStringLiteral("mainWindowGeometry");

    explicit MainWindow(UserDefaults& userDefaults, QWidget* parent = nullptr);

    TimelineView& timelineView() const { return *m_view; }
    // The pane at the left, which the user may close (the divider dragged shut or View > Show Calendars).
    // Set before the commands: its context menu offers the calendar commands.
    void setSidePane(QWidget* pane);
    void setSidePaneShown(bool shown);
    // At the right end of the tool bar.
    void setSearchField(QWidget* field);
    // The timeline above, room for a pane below it.
    QSplitter& timelineSplitter() const { return *m_timelineSplitter; }
    void setUpCommands(TimelineViewController& timeline, ActionsController& actions, UndoManager& undoManager,
                       ApplicationModel& model);
    // Help > Keyboard Shortcuts: every command with a shortcut, from the menus.
    void showKeyboardShortcuts();
    // Help > Verdalune Help (F1): the user guide at a topic (HelpWindow's), or at its start.
    void showHelp(const QString& topic = {});
    HelpWindow* helpWindow() const { return m_help; }
    // File > Sync Now, while there is an account to sync.
    void setSyncNowEnabled(bool enabled);
    // Calendar > Remove Account…, while the selected row is an account's or one of its calendars.
    void setRemoveAccountEnabled(bool enabled);
    // In the status bar, shown only while files are still to be read.
    void showReadProgress(qsizetype read, qsizetype total);

signals:
    // View > Go to Date… (Ctrl+G).
    void goToDateRequested();
    void newCalendarRequested();
    void importRequested();
    void editCalendarRequested();
    void removeCalendarRequested();
    // File > Sync Now (Ctrl+R).
    void syncNowRequested();
    void addAccountRequested();
    void removeAccountRequested();
    // Edit > Find… (Ctrl+F).
    void findRequested();
    // Edit > Preferences… (Ctrl+,).
    void preferencesRequested();
    // The side pane was shown or hidden by the user.
    void sidePaneShownChanged(bool shown);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpFileMenu(ActionsController& actions);
    void setUpToolBar(TimelineViewController& timeline);
    // With the action's text, or `description` when that says more, and its shortcut as tool tip.
    void addToolBarButton(QAction* action, const QString& description = QString());
    void orderTabs();
    void setUpEditMenu(ActionsController& actions, UndoManager& undoManager, ApplicationModel& model);
    void setUpViewMenu(TimelineViewController& timeline, ActionsController& actions);
    void setUpCalendarMenu(ApplicationModel& model);
    void setUpHelpMenu();

    UserDefaults& m_userDefaults;
    QSplitter* m_sideSplitter;
    QWidget* m_sidePane = nullptr;
    QSplitter* m_timelineSplitter;
    QScrollArea* m_scrollArea;
    QAction* m_showSidePane = nullptr;
    // Both in a menu and in the tool bar.
    QAction* m_newEvent = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_today = nullptr;
    QAction* m_next = nullptr;
    QAction* m_zoomIn = nullptr;
    QAction* m_zoomOut = nullptr;
    QAction* m_logarithmic = nullptr;
    QAction* m_find = nullptr;
    QAction* m_newCalendar = nullptr;
    QAction* m_syncNow = nullptr;
    QAction* m_removeAccount = nullptr;
    QToolBar* m_toolBar = nullptr;
    TimelineView* m_view;
    ZoomController* m_zoom = nullptr;
    HelpWindow* m_help = nullptr; // made when first asked for
    ReadProgressStatus* m_readProgress = nullptr;
};
