#pragma once

#include "records/CalEvent.h"

#include <QObject>

#include <memory>

// What Copy Event took: a single event made from the copied record, which Paste Event stores anew. It is
// also put on the desktop's clipboard, as iCalendar text and as the event's line, for other programs.
class EventClipboard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // None before the first copy.
    std::shared_ptr<const CalEvent> event() const { return m_event; }
    // `line` is the event as the entry language writes it.
    void copy(const CalEvent& event, const QString& line);

signals:
    void changed();

private:
    std::shared_ptr<const CalEvent> m_event;
};
