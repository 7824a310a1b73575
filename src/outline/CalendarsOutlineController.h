#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTreeView>

class ApplicationModel;
class CalDavAccounts;
class CalendarCheckBoxDelegate;
class CalendarsOutlineModel;
class QItemSelection;
class QModelIndex;
class UserDefaults;

// The outline of the user's calendars at the side of the window: the groups of editable calendars, of each
// CalDAV account and of subscriptions, a tick box per calendar that switches its events on and off, and the
// selected row, which is the model's selected calendar both ways. Whether the outline is shown is kept in
// the defaults; the window shows or hides the pane when it changes. Every group starts expanded; after that
// the outline keeps the groups as the user left them.
class CalendarsOutlineController : public QObject {
    Q_OBJECT
public:
    static inline const QString SHOULD_DISPLAY_KEY = QStringLiteral("shouldDisplayCalendars");
    static inline const QString FIRST_LAUNCH_KEY = QStringLiteral("CalendarsOutlineControllerIsFirstLaunch");
    static inline const QString COLLAPSED_GROUPS_KEY = QStringLiteral("CalendarsOutlineCollapsedGroups");

    // Without `accounts`, no account groups.
    CalendarsOutlineController(ApplicationModel& model, UserDefaults& userDefaults,
                               CalDavAccounts* accounts = nullptr, QObject* parent = nullptr);
    // The view goes too unless a window has taken it and gone already.
    ~CalendarsOutlineController() override;

    QTreeView* view() const { return m_view; }
    CalendarsOutlineModel* outlineModel() const { return m_outlineModel; }

    QString selectedCalendarUid() const { return m_selectedCalendarUid; }
    // Selects that calendar's row alone and makes it the model's selected calendar. A calendar the outline
    // does not show deselects every row and leaves the selected uid as it was.
    void setSelectedCalendarUid(const QString& uid);
    // The account whose group, or one of whose calendars, is the selected row; empty for none.
    QString selectedAccountId() const { return m_selectedAccountId; }

    bool shouldDisplayCalendarsOutline() const { return m_shouldDisplayCalendarsOutline; }
    void setShouldDisplayCalendarsOutline(bool shouldDisplay);

signals:
    void shouldDisplayCalendarsOutlineChanged(bool shouldDisplay);
    // The user selected another calendar in the outline.
    void selectionDidChange();
    // The selected row now belongs to another account, or to none.
    void selectedAccountIdChanged(const QString& accountId);

private:
    void configureView();
    bool isFirstLaunch();
    void initializeExpandedState();
    void applyExpandedState();
    void rememberExpanded(const QModelIndex& index, bool expanded);
    void refreshSelectedCalendarUid();
    void selectionChanged(const QItemSelection& selected);
    void refreshSelectedAccountId();
    void userDefaultsChanged(const QString& key);

    ApplicationModel& m_model;
    UserDefaults& m_userDefaults;
    CalendarsOutlineModel* m_outlineModel;
    CalendarCheckBoxDelegate* m_delegate;
    QPointer<QTreeView> m_view;
    QString m_selectedCalendarUid;
    QString m_selectedAccountId;
    bool m_shouldDisplayCalendarsOutline = true;
    QStringList m_collapsedGroups; // names of the groups the user collapsed
};
