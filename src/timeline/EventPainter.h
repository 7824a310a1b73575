#pragma once

#include "TextLabel.h"
#include "TimelineColors.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <memory>

class ArrangedEvent;
class CalEvent;
class DateFormatter;
class EventDescription;
class QPainter;
class TimelineCanvas;

// Builds the labels of events, sizes arranged events and draws them: a bar from start to end filled with
// a gradient of the calendar's colour over a soft shadow, the label below it, and for the selected event a
// longer label inside a rounded, shaded frame.
class EventPainter {
public:
    EventPainter();

    const std::shared_ptr<DateFormatter>& dateFormatter() const { return m_dateFormatter; }
    void setDateFormatter(std::shared_ptr<DateFormatter> formatter) {
        m_dateFormatter = std::move(formatter);
    }
    const std::shared_ptr<EventDescription>& eventDescription() const { return m_eventDescription; }
    void setEventDescription(std::shared_ptr<EventDescription> description) {
        m_eventDescription = std::move(description);
    }

    void setColors(const TimelineColors& colors) { m_colors = colors; }

    // Title, then the time.
    QString labelForEvent(const CalEvent& event) const;
    // Title, date, calendar, then location, attendees, recurrence, alarms and notes where the event has them.
    QString labelForSelectedEvent(const CalEvent& event) const;
    // The first line in the title's size, the rest in the plain one; wraps at TEXT_LABEL_MAX_WIDTH.
    std::shared_ptr<const TextLabel> textLabelWithEvent(const CalEvent& event, bool isSelected) const;
    // The notes, or empty.
    QString tooltipForEvent(const CalEvent& event) const;

    // Sets the end position and bounding rectangle of an arranged event whose start lies at `startPosition`.
    void updateArrangedEvent(ArrangedEvent& arrangedEvent, double startPosition) const;
    QRectF labelRectWithArrangedEvent(const ArrangedEvent& arrangedEvent, const TimelineCanvas& view) const;
    void drawArrangedEvent(QPainter& painter, const ArrangedEvent& arrangedEvent,
                           const TimelineCanvas& view) const;

private:
    QFont m_font;
    QFont m_titleFont;
    QFont m_selectedTitleFont;
    std::shared_ptr<DateFormatter> m_dateFormatter;
    std::shared_ptr<EventDescription> m_eventDescription;
    TimelineColors m_colors = TimelineColors::light();
};
