#include "ExternalCalendarCalendarStoreProcessor.h"

#include "ApplicationModel.h"
#include "CalendarStoreController.h"
#include "base/Logger.h"
#include "describe.h"

void ExternalCalendarCalendarStoreProcessor::deleteObjectsWithUid(const QString& uid) {
    m_model.deleteCalendarWithUid(uid);
}

void ExternalCalendarCalendarStoreProcessor::addObjectsWithUid(const QString& uid) {
    if (const auto calendar = fetchObjectsWithUid(uid))
        m_model.addCalendar(calendar);
}

void ExternalCalendarCalendarStoreProcessor::updateObjectsWithUid(const QString& uid) {
    if (const auto calendar = fetchObjectsWithUid(uid))
        replaceObjectsWithUid(uid, calendar);
}

void ExternalCalendarCalendarStoreProcessor::replaceObjectsWithUid(
    const QString& uid, const std::shared_ptr<CalCalendar>& calendar) {
    VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
           QStringLiteral("uid %1 calendar %2").arg(uid, describe(*calendar)));
    m_model.replaceCalendarWithUid(uid, calendar);
}

std::shared_ptr<CalCalendar> ExternalCalendarCalendarStoreProcessor::fetchObjectsWithUid(const QString& uid) {
    return m_storeController.loadCalendarWithUid(uid);
}
