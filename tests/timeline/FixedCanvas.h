#pragma once

#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "dates/dateUtilities.h"
#include "timeline/LinearDateToPositionMapping.h"
#include "timeline/LogDateToPositionMapping.h"
#include "timeline/TimelineCanvas.h"

#include <QList>
#include <QPair>

#include <memory>

// A canvas with plain, settable geometry for tests that check numbers rather than pixels.
class FixedCanvas : public TimelineCanvas {
public:
    FixedCanvas(CalendarDate start, double interval, double width, bool logarithmic, double height = 800)
        : m_start(start), m_interval(interval), m_size(width, height) {
        if (logarithmic)
            m_mapping = std::make_shared<LogDateToPositionMapping>();
        else
            m_mapping = std::make_shared<LinearDateToPositionMapping>();
        m_formatter->setLocale(requiredLocale());
        m_description = std::make_shared<EventDescription>(m_formatter);
    }

    CalendarDate startDate() const override { return m_start; }
    double timeInterval() const override { return m_interval; }
    QSizeF boundsSize() const override { return m_size; }
    const DateToPositionMapping& dateToPositionMapping() const override { return *m_mapping; }
    std::shared_ptr<const DateToPositionMapping> mapping() const { return m_mapping; }
    std::shared_ptr<DateFormatter> dateFormatter() const override { return m_formatter; }
    std::shared_ptr<EventDescription> eventDescription() const override { return m_description; }
    double devicePixelRatio() const override { return 1.0; }
    void setFrameSize(const QSizeF& size) override { m_size = size; }
    void removeAllToolTips() override { toolTips.clear(); }
    void addToolTip(const QRectF& area, const QString& text) override { toolTips.append({area, text}); }

    // x of a date on the line.
    double x(const CalendarDate& date) const { return m_mapping->horizontalPositionForDate(date, *this); }

    QList<QPair<QRectF, QString>> toolTips;

private:
    CalendarDate m_start;
    double m_interval;
    QSizeF m_size;
    std::shared_ptr<DateToPositionMapping> m_mapping;
    std::shared_ptr<DateFormatter> m_formatter = std::make_shared<DateFormatter>();
    std::shared_ptr<EventDescription> m_description;
};
