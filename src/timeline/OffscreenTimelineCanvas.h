#pragma once

#include "EventStyle.h"
#include "TimelineCanvas.h"
#include "TimelineDrawing.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <QSize>

#include <memory>

class DateToPositionMapping;

// The timeline drawn into an image, exactly as the window shows it: the same range, scale, events,
// selection and dimming. The image grows taller when the rows need more room, as the view does.
class OffscreenTimelineCanvas : public TimelineCanvas {
public:
    // Starts on the logarithmic scale, five days from now.
    explicit OffscreenTimelineCanvas(const QSize& size);

    void setStartDate(const CalendarDate& date) { m_startDate = date; }
    void setTimeInterval(double seconds) { m_timeInterval = seconds; }
    void setLogarithmic(bool logarithmic);
    void setEvents(const EventList& events);
    void setHighlights(const EventHighlights& highlights) { m_highlights = highlights; }
    // 12 or 24.
    void setTimeModeHours(int hours);

    // Arranges the events; the bounds then have the height the rows need.
    void layout();
    // Draws the last layout.
    QImage paint(const CalendarDate& now);
    QImage render(const CalendarDate& now) {
        layout();
        return paint(now);
    }

    TimelineDrawing& drawing() { return m_drawing; }
    const TimelineDrawing& drawing() const { return m_drawing; }
    const QList<QPair<QRectF, QString>>& toolTips() const { return m_toolTips; }

    CalendarDate startDate() const override { return m_startDate; }
    double timeInterval() const override { return m_timeInterval; }
    QSizeF boundsSize() const override { return m_frameSize; }
    const DateToPositionMapping& dateToPositionMapping() const override { return *m_mapping; }
    std::shared_ptr<DateFormatter> dateFormatter() const override { return m_dateFormatter; }
    std::shared_ptr<EventDescription> eventDescription() const override { return m_eventDescription; }
    double devicePixelRatio() const override { return 1.0; }
    void setFrameSize(const QSizeF& size) override { m_frameSize = size; }
    void removeAllToolTips() override { m_toolTips.clear(); }
    void addToolTip(const QRectF& area, const QString& text) override { m_toolTips.append({area, text}); }

private:
    QSizeF m_contentSize;
    QSizeF m_frameSize;
    CalendarDate m_startDate;
    double m_timeInterval;
    std::shared_ptr<const DateToPositionMapping> m_mapping;
    std::shared_ptr<DateFormatter> m_dateFormatter;
    std::shared_ptr<EventDescription> m_eventDescription;
    EventList m_events;
    EventHighlights m_highlights;
    QList<QPair<QRectF, QString>> m_toolTips;
    TimelineDrawing m_drawing;
};
