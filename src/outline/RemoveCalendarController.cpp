#include "RemoveCalendarController.h"

#include "base/Logger.h"
#include "base/UndoManager.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/CalendarSortOrder.h"
#include "store/describe.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

RemoveCalendarController::RemoveCalendarController(ApplicationModel& model,
                                                   CalendarController& calendarController,
                                                   UndoManager& undoManager, QWidget* parent)
    : QDialog(parent), m_model(model), m_calendarController(calendarController), m_undoManager(undoManager) {
    buildInterface();
    connect(&m_model, &ApplicationModel::calendarsChanged, this, &RemoveCalendarController::calendarsChanged);
}

void RemoveCalendarController::buildInterface() {
    setObjectName(QStringLiteral("removeCalendar"));
    setWindowTitle(tr("Remove Calendar"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);
    m_messageLabel = new QLabel(this);
    m_messageLabel->setAccessibleName(tr("Calendar to remove"));
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setMinimumWidth(320);
    m_removeEventsButton = new QRadioButton(tr("&Remove its events"), this);
    m_removeEventsButton->setAccessibleName(tr("Remove its events"));
    m_moveEventsButton = new QRadioButton(tr("&Move its events to:"), this);
    m_moveEventsButton->setAccessibleName(tr("Move its events to"));
    auto* choice = new QButtonGroup(this);
    choice->addButton(m_removeEventsButton, 0);
    choice->addButton(m_moveEventsButton, 1);
    connect(choice, &QButtonGroup::idToggled, this, &RemoveCalendarController::updateControls);
    m_moveToList = new QListWidget(this);
    m_moveToList->setAccessibleName(tr("Calendar to move the events to"));
    m_moveToList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_moveToList->setMaximumHeight(140);
    m_moveToList->setIconSize(QSize(12, 12));
    m_moveToList->setTextElideMode(Qt::ElideRight);
    m_moveToList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_moveToList, &QListWidget::itemSelectionChanged, this,
            &RemoveCalendarController::updateControls);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = m_buttons->button(QDialogButtonBox::Ok);
    m_okButton->setText(tr("Remove"));
    m_okButton->setAccessibleName(tr("Remove"));
    m_cancelButton = m_buttons->button(QDialogButtonBox::Cancel);
    m_cancelButton->setAccessibleName(tr("Cancel"));
    connect(m_okButton, &QPushButton::clicked, this, &RemoveCalendarController::okAction);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_messageLabel);
    layout->addWidget(m_removeEventsButton);
    layout->addWidget(m_moveEventsButton);
    auto* list = new QVBoxLayout;
    list->setContentsMargins(22, 0, 0, 0);
    list->addWidget(m_moveToList);
    layout->addLayout(list);
    layout->addWidget(m_buttons);
    setTabOrder(m_removeEventsButton, m_moveEventsButton);
    setTabOrder(m_moveEventsButton, m_moveToList);
    setTabOrder(m_moveToList, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
}

bool RemoveCalendarController::showRemoveCalendar(QWidget* window) {
    m_calendar = m_model.selectedCalendar();
    if (!m_calendar && !m_model.calendars().isEmpty())
        m_calendar = m_model.calendars().constFirst();
    if (!m_calendar)
        return false;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("calendar %1").arg(describe(*m_calendar)));
    if (window && parentWidget() != window)
        setParent(window, windowFlags());
    m_seriesCount = m_calendarController.seriesCount(*m_calendar);
    const QString holds = m_seriesCount == 0   ? tr("It holds no events.")
                          : m_seriesCount == 1 ? tr("It holds 1 event.")
                                               : tr("It holds %1 events.").arg(m_seriesCount);
    m_messageLabel->setText(tr("Remove the calendar “%1” from your calendars? %2 They can be removed with it "
                               "or kept by moving them to another calendar.")
                                .arg(m_calendar->title, holds));
    // Keeping the events is the choice Return makes; removing them takes a deliberate change.
    m_moveEventsButton->setChecked(true);
    refreshMoveToList();
    open();
    (shouldMoveEvents() ? m_moveEventsButton : m_removeEventsButton)->setFocus();
    return true;
}

CalendarList RemoveCalendarController::moveToCalendars() const {
    CalendarList targets;
    if (!m_calendar)
        return targets;
    for (const auto& calendar : m_model.calendars()) {
        if (calendar->uid != m_calendar->uid && calendar->isEditable)
            targets.append(calendar);
    }
    return CalendarSortOrder::sorted(targets);
}

bool RemoveCalendarController::shouldMoveEvents() const {
    return m_moveEventsButton->isChecked();
}

void RemoveCalendarController::calendarsChanged() {
    if (!isVisible() || !m_calendar)
        return;
    // Removed meanwhile by another program: nothing is left to remove.
    if (!m_model.calendarWithUid(m_calendar->uid)) {
        reject();
        return;
    }
    refreshMoveToList();
}

void RemoveCalendarController::refreshMoveToList() {
    const auto previous = selectedTarget();
    m_moveToCalendars = moveToCalendars();
    m_moveToList->clear();
    int row = 0;
    for (int index = 0; index < m_moveToCalendars.size(); ++index) {
        const auto& calendar = m_moveToCalendars[index];
        auto* item = new QListWidgetItem(calendar->title, m_moveToList);
        item->setToolTip(calendar->title);
        item->setData(Qt::DecorationRole, QColor(calendar->color));
        if (previous && previous->uid == calendar->uid)
            row = index;
    }
    if (!m_moveToCalendars.isEmpty())
        m_moveToList->setCurrentRow(row);
    if (m_moveToCalendars.isEmpty())
        m_removeEventsButton->setChecked(true);
    updateControls();
}

void RemoveCalendarController::updateControls() {
    m_moveEventsButton->setEnabled(!m_moveToCalendars.isEmpty());
    m_moveToList->setEnabled(shouldMoveEvents());
    m_okButton->setEnabled(!shouldMoveEvents() || selectedTarget());
    // Return removes only a calendar that holds nothing: a move takes only the events the window has
    // loaded, and the rest would go with the folder.
    const bool removeByDefault = m_seriesCount == 0;
    m_okButton->setDefault(removeByDefault);
    m_cancelButton->setDefault(!removeByDefault);
}

std::shared_ptr<CalCalendar> RemoveCalendarController::selectedTarget() const {
    if (!m_moveToList)
        return nullptr;
    const QList<QListWidgetItem*> selected = m_moveToList->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    return m_moveToCalendars.value(m_moveToList->row(selected.constFirst()));
}

void RemoveCalendarController::okAction() {
    if (!m_calendar || !m_okButton->isEnabled())
        return;
    const auto target = selectedTarget();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL,
           QStringLiteral("to calendar %1 calendar %2")
               .arg(target ? describe(*target) : QStringLiteral("none"), describe(*m_calendar)));
    {
        m_undoManager.beginUndoGrouping();
        const auto endGroup = qScopeGuard([this] { m_undoManager.endUndoGrouping(); });
        if (shouldMoveEvents() && target) {
            VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("move events"));
            m_calendarController.moveEventsInCalendar(*m_calendar, target);
        }
        m_calendarController.removeCalendar(*m_calendar);
        m_undoManager.setActionName(tr("Remove Calendar"));
    }
    m_calendar.reset();
    accept();
}
