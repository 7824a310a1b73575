#pragma once

#include "store/CalendarStore.h"

#include <QAbstractItemModel>
#include <QList>
#include <QTimer>

#include <memory>

class ApplicationModel;
class CalDavAccounts;

// The rows of the calendars outline: group rows over calendars in the calendar sort order. "CALENDARS"
// holds the calendars the user can edit, then each CalDAV account added here has a group of its own,
// titled with its name, with the calendars it owns and its sync status, and "SUBSCRIPTIONS" holds the
// read-only ones last. A calendar row is ticked while the calendar is switched on; ticking it switches the
// calendar on or off in the model. The rows are rebuilt whenever the calendars or the accounts change.
class CalendarsOutlineModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Group { CalendarsGroup, SubscriptionsGroup };
    enum Role {
        ColorRole = Qt::UserRole + 1, // QColor: the calendar's colour
        IsSyncedRole,                 // bool: kept in step by another program
        GroupNameRole,                // QString: the name under which a group's expanded state is kept
        AccountIdRole,                // QString: the account of an account's group or of its calendar
        SyncStatusRole,               // QString: an account group's "Synced 2 minutes ago" and the like
    };

    // `accounts` may be null: then there are no account groups.
    explicit CalendarsOutlineModel(ApplicationModel& model, CalDavAccounts* accounts = nullptr,
                                   QObject* parent = nullptr);

    QModelIndex groupIndex(Group group) const;
    // Invalid when the account has no group.
    QModelIndex accountGroupIndex(const QString& accountId) const;
    // Invalid when no row shows that calendar.
    QModelIndex indexOfCalendar(const QString& uid) const;
    // None for a group row.
    std::shared_ptr<CalCalendar> calendarAt(const QModelIndex& index) const;
    static bool isGroup(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // The internal id of a group row; a calendar row's is its group's row plus one.
    static constexpr quintptr GROUP_ID = 0;

    struct GroupRows {
        QString accountId; // empty for CALENDARS and SUBSCRIPTIONS
        QString accountName;
        CalendarList calendars;
    };

    void rebuild();
    void reportEnabledChanged();
    void reportStatusChanged(const QString& accountId);
    QVariant groupData(int row, int role) const;
    QVariant calendarData(const CalCalendar& calendar, const GroupRows& group, int role) const;
    QString calendarDescription(const CalCalendar& calendar, const GroupRows& group) const;
    QString statusText(const QString& accountId) const;

    ApplicationModel& m_model;
    CalDavAccounts* m_accounts;
    QList<GroupRows> m_groups; // CALENDARS, the accounts', SUBSCRIPTIONS
    QTimer m_statusClock;      // "2 minutes ago" grows old
};
