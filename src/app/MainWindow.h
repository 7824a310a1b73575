#pragma once

#include <QMainWindow>

class ActionsController;
class ApplicationModel;
class QScrollArea;
class TimelineView;
class TimelineViewController;
class UndoManager;
class UserDefaults;
class ZoomController;

// The main window: the timeline in its scroll area, a tool bar (zoom, scale, previous, now, next) and
// the menus with their shortcuts. It remembers its size and place.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString GEOMETRY_KEY = QStringLiteral("mainWindowGeometry");

    explicit MainWindow(UserDefaults& userDefaults, QWidget* parent = nullptr);

    TimelineView& timelineView() const { return *m_view; }
    void setUpCommands(TimelineViewController& timeline, ActionsController& actions, UndoManager& undoManager,
                       ApplicationModel& model);

signals:
    // View > Go to Date… (Ctrl+G).
    void goToDateRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpFileMenu(ActionsController& actions);
    void setUpToolBar(TimelineViewController& timeline, ActionsController& actions);
    void setUpEditMenu(ActionsController& actions, UndoManager& undoManager, ApplicationModel& model);
    void setUpViewMenu(TimelineViewController& timeline, ActionsController& actions);

    UserDefaults& m_userDefaults;
    QScrollArea* m_scrollArea;
    TimelineView* m_view;
    ZoomController* m_zoom = nullptr;
};
