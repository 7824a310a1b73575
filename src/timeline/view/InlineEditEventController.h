#pragma once

#include "entry/ParseTreeNode.h"
#include "records/CalEvent.h"

#include <QObject>
#include <QRect>

#include <memory>
#include <optional>

class CalendarController;
class ParsingController;
class QLineEdit;
class TimelineView;
class UndoManager;

// A text field over a newly created event, so that the user names it in place. Confirming renames the
// event (undoable as "Rename Event"), or, for a line that the entry language reads as more than a title
// ("4pm to 5:30pm budget", "tomorrow lunch", "work: fri 9am review"), applies it as the event editor's
// command field does (undoable as "Edit Event"). A click in the timeline or Escape discards what was
// typed.
class InlineEditEventController : public QObject {
    Q_OBJECT
public:
    static constexpr int EVENT_TITLE_TEXT_FIELD_WIDTH = 200;
    static constexpr int EVENT_TITLE_TEXT_FIELD_HEIGHT = 22;

    explicit InlineEditEventController(TimelineView& view);
    ~InlineEditEventController() override;

    // Renaming goes through these; without them the field only shows.
    void setStoreAccess(CalendarController* calendarController, UndoManager* undoManager);
    // The entry language; without it every line is a title. The calendars it names are the view's.
    void setParsingController(ParsingController* parsingController) {
        m_parsingController = parsingController;
    }

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
    // The field at the label's top left, moved or narrowed to stay within the line's extent and the
    // visible rows.
    QRect titleFieldGeometry(const QPoint& labelTopLeft) const;
    // The tree of a line that says more than a title: dates or times, after a calendar or not.
    std::optional<ParseTreeNode> parseBeyondTitle(const QString& line) const;
    void applyEntryLine(const std::shared_ptr<CalEvent>& event, const ParseTreeNode& tree);
    void rename(const std::shared_ptr<CalEvent>& event, const QString& title);

    TimelineView& m_view;
    CalendarController* m_calendarController = nullptr;
    UndoManager* m_undoManager = nullptr;
    ParsingController* m_parsingController = nullptr;
    std::shared_ptr<CalEvent> m_event;
    QLineEdit* m_titleField = nullptr;
};
