#include "ExternalEventCalendarStoreProcessor.h"

#include "ApplicationModel.h"
#include "CalendarStoreController.h"
#include "base/Logger.h"

ExternalEventCalendarStoreProcessor::ExternalEventCalendarStoreProcessor(
    ApplicationModel& model, CalendarStoreController& storeController)
    : CalendarStoreProcessor(model, storeController),
      m_rangeStartDate(QDateTime::currentDateTimeUtc().addSecs(-INITIAL_RANGE_SECONDS)),
      m_rangeEndDate(QDateTime::currentDateTimeUtc().addSecs(INITIAL_RANGE_SECONDS)) {}

void ExternalEventCalendarStoreProcessor::setRangeStartDate(const QDateTime& start, const QDateTime& end) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("start %1 end %2").arg(start.toString(Qt::ISODate), end.toString(Qt::ISODate)));
    m_rangeStartDate = start;
    m_rangeEndDate = end;
}

void ExternalEventCalendarStoreProcessor::deleteObjectsWithUid(const QString& uid) {
    m_model.deleteEventsWithUid(uid);
}

void ExternalEventCalendarStoreProcessor::addObjectsWithUid(const QString& uid) {
    m_model.addEvents(fetchObjectsWithUid(uid));
}

void ExternalEventCalendarStoreProcessor::updateObjectsWithUid(const QString& uid) {
    replaceObjectsWithUid(uid, fetchObjectsWithUid(uid));
}

void ExternalEventCalendarStoreProcessor::replaceObjectsWithUid(const QString& uid, const EventList& events) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("uid %1 events size %2").arg(uid).arg(events.size()));
    m_model.replaceEventsWithUid(uid, events);
}

EventList ExternalEventCalendarStoreProcessor::fetchObjectsWithUid(const QString& uid) {
    return m_storeController.loadEventsWithUid(uid, m_rangeStartDate, m_rangeEndDate, m_model.calendars());
}
