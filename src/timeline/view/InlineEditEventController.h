#pragma once

#include "records/CalEvent.h"

#include <QObject>
#include <QRect>

#include <memory>

class QLineEdit;
class TimelineView;

// A text field over a newly created event, so that the user names it in place. Return hands the line to
// the view's delegate, which renames the event or applies the line; while it is typed, the part that will
// be taken as dates is coloured, as in the editor's command field. A click in the timeline or Escape
// discards what was typed.
class InlineEditEventController : public QObject {
    Q_OBJECT
public:
    static constexpr int EVENT_TITLE_TEXT_FIELD_WIDTH = 200;
    static constexpr int EVENT_TITLE_TEXT_FIELD_HEIGHT = 22;

    explicit InlineEditEventController(TimelineView& view);
    ~InlineEditEventController() override;

    const std::shared_ptr<CalEvent>& event() const { return m_event; }
    // Opens the field over the event, or closes it for none.
    void setEvent(const std::shared_ptr<CalEvent>& event);
    bool isActive() const { return m_event != nullptr; }
    QLineEdit* titleField() const { return m_titleField; }

    void cancelEditing() { setEvent(nullptr); }
    // Moves the field to the event's place after a layout or a scroll, or ends editing when the event is
    // no longer shown.
    void eventLayoutDidChange();
    void titleFieldAction();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void removeTitleField();
    void colourRecognisedPart();
    // The field at the label's top left, moved or narrowed to stay within the line's extent and the
    // visible rows.
    QRect titleFieldGeometry(const QPoint& labelTopLeft) const;

    TimelineView& m_view;
    std::shared_ptr<CalEvent> m_event;
    QLineEdit* m_titleField = nullptr;
};
