#include "InlineEditEventController.h"

#include "TimelineView.h"
#include "base/Logger.h"
#include "base/UndoManager.h"
#include "store/CalendarController.h"
#include "store/EventKey.h"
#include "timeline/ArrangedEvent.h"

#include <QLineEdit>

InlineEditEventController::InlineEditEventController(TimelineView& view) : m_view(view) {}

InlineEditEventController::~InlineEditEventController() = default;

void InlineEditEventController::setStoreAccess(CalendarController* calendarController,
                                               UndoManager* undoManager) {
    m_calendarController = calendarController;
    m_undoManager = undoManager;
}

void InlineEditEventController::setEvent(const std::shared_ptr<CalEvent>& event) {
    if (event == m_event)
        return;
    removeTitleField();
    m_event = event;
    if (!m_event)
        return;
    m_titleField = new QLineEdit(m_event->title, &m_view);
    m_titleField->resize(EVENT_TITLE_TEXT_FIELD_WIDTH, EVENT_TITLE_TEXT_FIELD_HEIGHT);
    connect(m_titleField, &QLineEdit::returnPressed, this, &InlineEditEventController::titleFieldAction);
    m_titleField->show();
    m_titleField->selectAll();
    m_titleField->setFocus();
    eventLayoutDidChange();
}

void InlineEditEventController::removeTitleField() {
    if (!m_titleField)
        return;
    // Later: the field may be the sender of the signal being handled.
    m_titleField->hide();
    m_titleField->deleteLater();
    m_titleField = nullptr;
    m_view.setFocus();
}

void InlineEditEventController::eventLayoutDidChange() {
    if (!m_event)
        return;
    const auto arranged = m_view.eventArranger().cachedArrangedEvents().value(EventKey(*m_event));
    if (!arranged) {
        setEvent(nullptr);
        return;
    }
    // The model may have replaced the record since; keep the one shown.
    m_event = arranged->event();
    m_titleField->move(
        m_view.eventPainter().labelRectWithArrangedEvent(*arranged, m_view).topLeft().toPoint());
}

void InlineEditEventController::titleFieldAction() {
    if (!m_event)
        return;
    const QString title = m_titleField->text();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("title %1").arg(title));
    const std::shared_ptr<CalEvent> event = m_event;
    setEvent(nullptr);
    if (m_calendarController && title != event->title) {
        const auto renamed = event->copy();
        renamed->title = title;
        m_calendarController->replaceEvent(event, *renamed);
        m_undoManager->setActionName(tr("Rename Event"));
    }
}
