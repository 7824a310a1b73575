#pragma once

#include "store/CalendarStore.h"

#include <QAbstractItemModel>

#include <array>
#include <memory>

class ApplicationModel;

// The rows of the calendars outline: two group rows, "CALENDARS" (the calendars the user can edit) and
// "SUBSCRIPTIONS" (the read-only ones), each over its calendars in the calendar sort order. A calendar row
// is ticked while the calendar is switched on; ticking it switches the calendar on or off in the model.
// The rows are rebuilt whenever the model's calendars change.
class CalendarsOutlineModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Group { CalendarsGroup = 0, SubscriptionsGroup = 1 };
    enum Role {
        ColorRole = Qt::UserRole + 1, // QColor: the calendar's colour
        IsSyncedRole,                 // bool: kept in step by another program
        GroupNameRole,                // QString: the name under which a group's expanded state is kept
    };

    explicit CalendarsOutlineModel(ApplicationModel& model, QObject* parent = nullptr);

    QModelIndex groupIndex(Group group) const;
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
    // The internal id of a group row; a calendar row's is its group plus one.
    static constexpr quintptr GROUP_ID = 0;

    void rebuild();
    void reportEnabledChanged();
    QVariant groupData(Group group, int role) const;
    QVariant calendarData(const CalCalendar& calendar, int role) const;
    QString calendarDescription(const CalCalendar& calendar) const;

    ApplicationModel& m_model;
    std::array<CalendarList, 2> m_children;
};
