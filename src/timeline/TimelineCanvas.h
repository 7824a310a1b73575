#pragma once

#include "dates/CalendarDate.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>

class DateFormatter;
class DateToPositionMapping;
class EventDescription;

// What the timeline engine reads from the view it draws for, and the little it may change there: the
// visible range, the bounds, the formatters, the mapping in use, the view's height and its tool tips.
// The timeline widget implements it, and so does an image drawn offscreen.
class TimelineCanvas {
public:
    virtual ~TimelineCanvas() = default;

    virtual CalendarDate startDate() const = 0;
    virtual double timeInterval() const = 0; // seconds
    CalendarDate endDate() const { return startDate().addingSeconds(timeInterval()); }
    virtual QSizeF boundsSize() const = 0;
    // The line runs from x = TIMELINE_HOR_MARGIN to the width minus that margin.
    double lineLength() const;
    virtual const DateToPositionMapping& dateToPositionMapping() const = 0;
    virtual std::shared_ptr<DateFormatter> dateFormatter() const = 0;
    virtual std::shared_ptr<EventDescription> eventDescription() const = 0;

    // Device pixels per view pixel.
    virtual double devicePixelRatio() const = 0;
    // The rectangle with each edge moved to the nearest device-pixel boundary, so that fills and lines
    // come out sharp.
    QRectF alignedToDevicePixels(const QRectF& rect) const;

    // The arranger grows the view when its rows need more room.
    virtual void setFrameSize(const QSizeF& size) = 0;
    virtual void removeAllToolTips() = 0;
    virtual void addToolTip(const QRectF& area, const QString& text) = 0;
};
