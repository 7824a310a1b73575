#include "CalendarsOutlineModel.h"

#include "store/ApplicationModel.h"
#include "store/CalendarSortOrder.h"

#include <QColor>
#include <QFont>

CalendarsOutlineModel::CalendarsOutlineModel(ApplicationModel& model, QObject* parent)
    : QAbstractItemModel(parent), m_model(model) {
    rebuild();
    connect(&m_model, &ApplicationModel::calendarsChanged, this, &CalendarsOutlineModel::rebuild);
    connect(&m_model, &ApplicationModel::enabledCalendarUidsChanged, this,
            &CalendarsOutlineModel::reportEnabledChanged);
}

void CalendarsOutlineModel::rebuild() {
    beginResetModel();
    for (CalendarList& children : m_children)
        children.clear();
    for (const auto& calendar : CalendarSortOrder::sorted(m_model.calendars()))
        m_children[calendar->isEditable ? CalendarsGroup : SubscriptionsGroup].append(calendar);
    endResetModel();
}

void CalendarsOutlineModel::reportEnabledChanged() {
    for (const Group group : {CalendarsGroup, SubscriptionsGroup}) {
        const QModelIndex parent = groupIndex(group);
        if (const int count = rowCount(parent); count > 0)
            emit dataChanged(index(0, 0, parent), index(count - 1, 0, parent), {Qt::CheckStateRole});
    }
}

QModelIndex CalendarsOutlineModel::groupIndex(Group group) const {
    return createIndex(group, 0, GROUP_ID);
}

QModelIndex CalendarsOutlineModel::indexOfCalendar(const QString& uid) const {
    for (const Group group : {CalendarsGroup, SubscriptionsGroup}) {
        const CalendarList& children = m_children[group];
        for (int row = 0; row < children.size(); ++row) {
            if (children[row]->uid == uid)
                return createIndex(row, 0, quintptr(group) + 1);
        }
    }
    return QModelIndex();
}

std::shared_ptr<CalCalendar> CalendarsOutlineModel::calendarAt(const QModelIndex& index) const {
    if (!index.isValid() || isGroup(index))
        return nullptr;
    return m_children[index.internalId() - 1].value(index.row());
}

bool CalendarsOutlineModel::isGroup(const QModelIndex& index) {
    return index.isValid() && index.internalId() == GROUP_ID;
}

QModelIndex CalendarsOutlineModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return QModelIndex();
    return parent.isValid() ? createIndex(row, 0, quintptr(parent.row()) + 1) : createIndex(row, 0, GROUP_ID);
}

QModelIndex CalendarsOutlineModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || isGroup(child))
        return QModelIndex();
    return createIndex(int(child.internalId() - 1), 0, GROUP_ID);
}

int CalendarsOutlineModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return int(m_children.size());
    return isGroup(parent) ? int(m_children[parent.row()].size()) : 0;
}

int CalendarsOutlineModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant CalendarsOutlineModel::data(const QModelIndex& index, int role) const {
    if (isGroup(index))
        return groupData(Group(index.row()), role);
    const auto calendar = calendarAt(index);
    return calendar ? calendarData(*calendar, role) : QVariant();
}

QVariant CalendarsOutlineModel::groupData(Group group, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return group == CalendarsGroup ? tr("CALENDARS") : tr("SUBSCRIPTIONS");
    case GroupNameRole:
        return group == CalendarsGroup ? QStringLiteral("CalendarGroup")
                                       : QStringLiteral("SubscriptionGroup");
    case Qt::FontRole: {
        QFont font;
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 0.85);
        return font;
    }
    default:
        return QVariant();
    }
}

QVariant CalendarsOutlineModel::calendarData(const CalCalendar& calendar, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return calendar.title;
    case Qt::CheckStateRole:
        return m_model.enabledCalendarUids().contains(calendar.uid) ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return calendarDescription(calendar);
    case ColorRole:
        return QColor(calendar.color);
    case IsSyncedRole:
        return calendar.type == CalCalendarTypeCalDAV;
    default:
        return QVariant();
    }
}

QString CalendarsOutlineModel::calendarDescription(const CalCalendar& calendar) const {
    QStringList lines;
    lines.append(m_model.enabledCalendarUids().contains(calendar.uid) ? tr("Its events are shown.")
                                                                      : tr("Its events are hidden."));
    if (!calendar.isEditable)
        lines.append(tr("Read-only: its events cannot be changed here."));
    if (calendar.type == CalCalendarTypeCalDAV)
        lines.append(tr("Synced: another program keeps it in step with a server."));
    return lines.join(u'\n');
}

bool CalendarsOutlineModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const auto calendar = calendarAt(index);
    if (!calendar || role != Qt::CheckStateRole)
        return false;
    if (value.toInt() == Qt::Checked)
        m_model.addEnabledCalendarUidsObject(calendar->uid);
    else
        m_model.removeEnabledCalendarUidsObject(calendar->uid);
    return true;
}

Qt::ItemFlags CalendarsOutlineModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isGroup(index))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
