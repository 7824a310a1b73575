#include "CalendarsOutlineController.h"

#include "CalendarCheckBoxDelegate.h"
#include "CalendarsOutlineModel.h"
#include "base/UserDefaults.h"
#include "store/ApplicationModel.h"

#include <QTreeView>

CalendarsOutlineController::CalendarsOutlineController(ApplicationModel& model, UserDefaults& userDefaults,
                                                       CalDavAccounts* accounts, QObject* parent)
    : QObject(parent), m_model(model), m_userDefaults(userDefaults),
      m_outlineModel(new CalendarsOutlineModel(model, accounts, this)),
      m_delegate(new CalendarCheckBoxDelegate(this)), m_view(new QTreeView),
      m_selectedCalendarUid(model.selectedCalendarUid()) {
    const QVariant shouldDisplay = m_userDefaults.value(SHOULD_DISPLAY_KEY);
    m_shouldDisplayCalendarsOutline = !shouldDisplay.isValid() || shouldDisplay.toBool();
    configureView();
    initializeExpandedState();
    refreshSelectedCalendarUid();

    // After the view's own handling of the reset, which forgets expansion and selection.
    connect(m_outlineModel, &QAbstractItemModel::modelReset, this, [this] {
        applyExpandedState();
        refreshSelectedCalendarUid();
        refreshSelectedAccountId();
    });
    connect(&m_model, &ApplicationModel::selectedCalendarUidChanged, this,
            [this] { setSelectedCalendarUid(m_model.selectedCalendarUid()); });
    connect(&m_userDefaults, &UserDefaults::valueChanged, this,
            &CalendarsOutlineController::userDefaultsChanged);
}

CalendarsOutlineController::~CalendarsOutlineController() {
    delete m_view;
}

void CalendarsOutlineController::configureView() {
    m_view->setObjectName(QStringLiteral("calendarsOutline"));
    m_view->setAccessibleName(tr("Calendars"));
    m_view->setHeaderHidden(true);
    // An account's group is taller: its status is under its name.
    m_view->setUniformRowHeights(false);
    m_view->setIndentation(12);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->setItemDelegate(m_delegate);
    m_view->setModel(m_outlineModel);
    m_view->setMinimumWidth(100);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                selectionChanged(selected);
                refreshSelectedAccountId();
            });
    connect(m_view, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { rememberExpanded(index, true); });
    connect(m_view, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { rememberExpanded(index, false); });
}

bool CalendarsOutlineController::isFirstLaunch() {
    const bool first = !m_userDefaults.contains(FIRST_LAUNCH_KEY);
    m_userDefaults.setValue(FIRST_LAUNCH_KEY, false);
    return first;
}

void CalendarsOutlineController::initializeExpandedState() {
    if (isFirstLaunch())
        m_userDefaults.remove(COLLAPSED_GROUPS_KEY);
    m_collapsedGroups = m_userDefaults.value(COLLAPSED_GROUPS_KEY).toStringList();
    applyExpandedState();
}

void CalendarsOutlineController::applyExpandedState() {
    for (int row = 0; row < m_outlineModel->rowCount(); ++row) {
        const QModelIndex index = m_outlineModel->index(row, 0);
        m_view->setExpanded(
            index, !m_collapsedGroups.contains(index.data(CalendarsOutlineModel::GroupNameRole).toString()));
    }
}

void CalendarsOutlineController::rememberExpanded(const QModelIndex& index, bool expanded) {
    const QString name = index.data(CalendarsOutlineModel::GroupNameRole).toString();
    if (name.isEmpty() || m_collapsedGroups.contains(name) != expanded)
        return;
    if (expanded)
        m_collapsedGroups.removeAll(name);
    else
        m_collapsedGroups.append(name);
    m_userDefaults.setValue(COLLAPSED_GROUPS_KEY, m_collapsedGroups);
}

void CalendarsOutlineController::refreshSelectedCalendarUid() {
    // The model's choice: it may have been made before the calendars were read, when there was no row
    // to select.
    setSelectedCalendarUid(m_model.selectedCalendarUid());
}

void CalendarsOutlineController::setSelectedCalendarUid(const QString& uid) {
    const QModelIndex index = m_outlineModel->indexOfCalendar(uid);
    if (!index.isValid()) {
        m_view->selectionModel()->clearSelection();
        return;
    }
    // The selection's change makes it the selected calendar, here and in the model.
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void CalendarsOutlineController::refreshSelectedAccountId() {
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    const QString accountId =
        selected.isEmpty() ? QString()
                           : selected.constFirst().data(CalendarsOutlineModel::AccountIdRole).toString();
    if (accountId == m_selectedAccountId)
        return;
    m_selectedAccountId = accountId;
    emit selectedAccountIdChanged(accountId);
}

void CalendarsOutlineController::selectionChanged(const QItemSelection& selected) {
    // The two fixed group rows, which are never selected, may still come in a selected range; an account's
    // group is selected for the account and leaves the selected calendar as it was.
    const QModelIndexList indexes = selected.indexes();
    if (indexes.isEmpty())
        return;
    const auto calendar = m_outlineModel->calendarAt(indexes.constFirst());
    if (!calendar)
        return;
    const bool changed = calendar->uid != m_selectedCalendarUid;
    m_selectedCalendarUid = calendar->uid;
    if (m_model.selectedCalendarUid() != calendar->uid)
        m_model.setSelectedCalendarUid(calendar->uid);
    if (changed)
        emit selectionDidChange();
}

void CalendarsOutlineController::setShouldDisplayCalendarsOutline(bool shouldDisplay) {
    const bool changed = shouldDisplay != m_shouldDisplayCalendarsOutline;
    m_shouldDisplayCalendarsOutline = shouldDisplay;
    if (!m_userDefaults.contains(SHOULD_DISPLAY_KEY) ||
        m_userDefaults.value(SHOULD_DISPLAY_KEY).toBool() != shouldDisplay)
        m_userDefaults.setValue(SHOULD_DISPLAY_KEY, shouldDisplay);
    if (changed)
        emit shouldDisplayCalendarsOutlineChanged(shouldDisplay);
}

void CalendarsOutlineController::userDefaultsChanged(const QString& key) {
    if (key == SHOULD_DISPLAY_KEY)
        setShouldDisplayCalendarsOutline(m_userDefaults.value(SHOULD_DISPLAY_KEY).toBool());
}
