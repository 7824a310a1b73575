#include "OffscreenTimelineCanvas.h"

#include "LinearDateToPositionMapping.h"
#include "LogDateToPositionMapping.h"
#include "dates/DateFormatter.h"
#include "dates/EventDescription.h"
#include "timelineSettings.h"

#include <QPainter>

#include <cmath>

OffscreenTimelineCanvas::OffscreenTimelineCanvas(const QSize& size)
    : m_contentSize(size), m_frameSize(size), m_startDate(CalendarDate::now()),
      m_timeInterval(DEFAULT_TIME_INTERVAL), m_mapping(std::make_shared<LogDateToPositionMapping>()),
      m_dateFormatter(std::make_shared<DateFormatter>()),
      m_eventDescription(std::make_shared<EventDescription>()), m_drawing(*this) {
    m_drawing.setDateToPositionMapping(m_mapping);
}

void OffscreenTimelineCanvas::setLogarithmic(bool logarithmic) {
    if (logarithmic)
        m_mapping = std::make_shared<LogDateToPositionMapping>();
    else
        m_mapping = std::make_shared<LinearDateToPositionMapping>();
    m_drawing.setDateToPositionMapping(m_mapping);
}

void OffscreenTimelineCanvas::setEvents(const EventList& events) {
    m_events = events;
    m_drawing.eventArranger().discardCachedArrangedEvents();
}

void OffscreenTimelineCanvas::setTimeModeHours(int hours) {
    m_dateFormatter->setTimeModeHours(hours);
    m_eventDescription->ownDateFormatter()->setTimeModeHours(hours);
    m_drawing.eventArranger().discardCachedArrangedEvents();
}

void OffscreenTimelineCanvas::layout() {
    m_drawing.layoutEvents(m_events, m_highlights, m_contentSize);
}

QImage OffscreenTimelineCanvas::paint(const CalendarDate& now) {
    QImage image(QSize(int(std::ceil(m_frameSize.width())), int(std::ceil(m_frameSize.height()))),
                 QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    m_drawing.draw(painter, now, QRectF(image.rect()));
    return image;
}
