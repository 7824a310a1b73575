#include "CalendarsOutlineModel.h"

#include "accounts/CalDavAccounts.h"
#include "store/ApplicationModel.h"
#include "store/CalendarSortOrder.h"

#include <QColor>
#include <QFont>

namespace {
constexpr int STATUS_REFRESH_MS = 60 * 1000;
}

CalendarsOutlineModel::CalendarsOutlineModel(ApplicationModel& model, CalDavAccounts* accounts,
                                             QObject* parent)
    : QAbstractItemModel(parent), m_model(model), m_accounts(accounts) {
    rebuild();
    connect(&m_model, &ApplicationModel::calendarsChanged, this, &CalendarsOutlineModel::rebuild);
    connect(&m_model, &ApplicationModel::enabledCalendarUidsChanged, this,
            &CalendarsOutlineModel::reportEnabledChanged);
    if (!m_accounts)
        return;
    connect(m_accounts, &CalDavAccounts::accountsChanged, this, &CalendarsOutlineModel::rebuild);
    connect(m_accounts, &CalDavAccounts::statusChanged, this, &CalendarsOutlineModel::reportStatusChanged);
    m_statusClock.setInterval(STATUS_REFRESH_MS);
    connect(&m_statusClock, &QTimer::timeout, this, [this] {
        for (const GroupRows& group : std::as_const(m_groups))
            if (!group.accountId.isEmpty())
                reportStatusChanged(group.accountId);
    });
    m_statusClock.start();
}

void CalendarsOutlineModel::rebuild() {
    beginResetModel();
    m_groups = {GroupRows{}};
    if (m_accounts)
        for (const CalDavAccount& account : m_accounts->accounts())
            m_groups.append(GroupRows{account.id, account.name, {}});
    m_groups.append(GroupRows{});
    for (const auto& calendar : CalendarSortOrder::sorted(m_model.calendars())) {
        const auto account = m_accounts ? m_accounts->accountOfCalendar(calendar->uid) : std::nullopt;
        QModelIndex group = account ? accountGroupIndex(account->id) : QModelIndex();
        if (!group.isValid())
            group = groupIndex(calendar->isEditable ? CalendarsGroup : SubscriptionsGroup);
        m_groups[group.row()].calendars.append(calendar);
    }
    endResetModel();
}

void CalendarsOutlineModel::reportEnabledChanged() {
    for (int row = 0; row < m_groups.size(); ++row) {
        const QModelIndex parent = index(row, 0);
        if (const int count = rowCount(parent); count > 0)
            emit dataChanged(index(0, 0, parent), index(count - 1, 0, parent), {Qt::CheckStateRole});
    }
}

void CalendarsOutlineModel::reportStatusChanged(const QString& accountId) {
    if (const QModelIndex group = accountGroupIndex(accountId); group.isValid())
        emit dataChanged(
            group, group,
            {SyncStatusRole, Qt::ToolTipRole, Qt::AccessibleTextRole, Qt::AccessibleDescriptionRole});
}

QModelIndex CalendarsOutlineModel::groupIndex(Group group) const {
    return createIndex(group == CalendarsGroup ? 0 : int(m_groups.size()) - 1, 0, GROUP_ID);
}

QModelIndex CalendarsOutlineModel::accountGroupIndex(const QString& accountId) const {
    for (int row = 0; row < m_groups.size(); ++row)
        if (!accountId.isEmpty() && m_groups[row].accountId == accountId)
            return createIndex(row, 0, GROUP_ID);
    return QModelIndex();
}

QModelIndex CalendarsOutlineModel::indexOfCalendar(const QString& uid) const {
    for (int group = 0; group < m_groups.size(); ++group) {
        const CalendarList& children = m_groups[group].calendars;
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
    return m_groups[index.internalId() - 1].calendars.value(index.row());
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
        return int(m_groups.size());
    return isGroup(parent) ? int(m_groups[parent.row()].calendars.size()) : 0;
}

int CalendarsOutlineModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant CalendarsOutlineModel::data(const QModelIndex& index, int role) const {
    if (isGroup(index))
        return groupData(index.row(), role);
    const auto calendar = calendarAt(index);
    return calendar ? calendarData(*calendar, m_groups[index.internalId() - 1], role) : QVariant();
}

QVariant CalendarsOutlineModel::groupData(int row, int role) const {
    const GroupRows& group = m_groups[row];
    const bool isAccount = !group.accountId.isEmpty();
    const bool isCalendars = row == 0;
    switch (role) {
    case Qt::AccessibleTextRole:
        // A screen reader says how far the sync got with the account's name.
        if (isAccount)
            return QStringLiteral("%1, %2").arg(group.accountName, statusText(group.accountId));
        [[fallthrough]];
    case Qt::DisplayRole:
        return isAccount ? group.accountName : isCalendars ? tr("CALENDARS") : tr("SUBSCRIPTIONS");
    case GroupNameRole:
        // The prefix keeps an account's id from ever naming one of the two fixed groups.
        return isAccount     ? QStringLiteral("Account:%1").arg(group.accountId)
               : isCalendars ? QStringLiteral("CalendarGroup")
                             : QStringLiteral("SubscriptionGroup");
    case AccountIdRole:
        return group.accountId;
    case SyncStatusRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return isAccount ? statusText(group.accountId) : QVariant();
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

QString CalendarsOutlineModel::statusText(const QString& accountId) const {
    return m_accounts->status(accountId).text(QDateTime::currentDateTime());
}

QVariant CalendarsOutlineModel::calendarData(const CalCalendar& calendar, const GroupRows& group,
                                             int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return calendar.title;
    case Qt::CheckStateRole:
        return m_model.enabledCalendarUids().contains(calendar.uid) ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return calendarDescription(calendar, group);
    case ColorRole:
        return QColor(calendar.color);
    case IsSyncedRole:
        // An account's group says already that its calendars are synced.
        return calendar.type == CalCalendarTypeCalDAV && group.accountId.isEmpty();
    case AccountIdRole:
        return group.accountId;
    default:
        return QVariant();
    }
}

QString CalendarsOutlineModel::calendarDescription(const CalCalendar& calendar,
                                                   const GroupRows& group) const {
    QStringList lines;
    lines.append(m_model.enabledCalendarUids().contains(calendar.uid) ? tr("Its events are shown.")
                                                                      : tr("Its events are hidden."));
    if (!calendar.isEditable)
        lines.append(tr("Read-only: its events cannot be changed here."));
    if (!group.accountId.isEmpty())
        lines.append(tr("Synced with the account %1.").arg(group.accountName));
    else if (calendar.type == CalCalendarTypeCalDAV)
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
    // An account's group is selected to act on the account (remove it).
    if (isGroup(index))
        return m_groups[index.row()].accountId.isEmpty() ? Qt::ItemIsEnabled
                                                         : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
