#include "InlineEditEventController.h"

#include "TimelineView.h"
#include "TimelineViewDelegate.h"
#include "base/Logger.h"
#include "base/TextColors.h"
#include "store/EventKey.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/timelineSettings.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextCharFormat>

#include <algorithm>

InlineEditEventController::InlineEditEventController(TimelineView& view) : m_view(view) {}

InlineEditEventController::~InlineEditEventController() = default;

void InlineEditEventController::setEvent(const std::shared_ptr<CalEvent>& event) {
    if (event == m_event)
        return;
    removeTitleField();
    m_event = event;
    if (!m_event)
        return;
    m_titleField = new QLineEdit(m_event->title, &m_view);
    // Return is taken here, not left to travel on to the timeline, where it would open the event.
    m_titleField->installEventFilter(this);
    connect(m_titleField, &QLineEdit::textChanged, this, &InlineEditEventController::colourRecognisedPart);
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

// A line edit takes formats only as an input method's: with no text to insert, they colour what is there.
void InlineEditEventController::colourRecognisedPart() {
    const QString line = m_titleField->text();
    const int length = m_view.delegate() ? m_view.delegate()->recognisedLengthOfLine(line) : 0;
    QList<QInputMethodEvent::Attribute> attributes;
    if (length > 0) {
        QTextCharFormat format;
        format.setForeground(TextColors::forPalette(m_titleField->palette()).recognised);
        attributes.append({QInputMethodEvent::TextFormat, -m_titleField->cursorPosition(), length, format});
    }
    QInputMethodEvent formats(QString(), attributes);
    QCoreApplication::sendEvent(m_titleField, &formats);
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
    m_titleField->setGeometry(titleFieldGeometry(
        m_view.eventPainter().labelRectWithArrangedEvent(*arranged, m_view).topLeft().toPoint()));
}

QRect InlineEditEventController::titleFieldGeometry(const QPoint& labelTopLeft) const {
    const int margin = int(TIMELINE_HOR_MARGIN);
    const QRect area = m_view.visibleRowsRect().adjusted(margin, 0, -margin, 0);
    const int width = std::clamp(area.width(), 0, EVENT_TITLE_TEXT_FIELD_WIDTH);
    const int height = EVENT_TITLE_TEXT_FIELD_HEIGHT;
    const int x = std::clamp(labelTopLeft.x(), area.left(), area.left() + std::max(0, area.width() - width));
    const int y = std::clamp(labelTopLeft.y(), area.top(), area.top() + std::max(0, area.height() - height));
    return QRect(x, y, width, height);
}

bool InlineEditEventController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_titleField && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            titleFieldAction();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void InlineEditEventController::titleFieldAction() {
    if (!m_event)
        return;
    const QString line = m_titleField->text();
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QStringLiteral("title %1").arg(line));
    const std::shared_ptr<CalEvent> event = m_event;
    setEvent(nullptr);
    if (m_view.delegate())
        m_view.delegate()->didEnterLineForEvent(event, line);
}
