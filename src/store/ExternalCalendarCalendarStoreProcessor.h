#pragma once

#include "CalendarStoreProcessor.h"

#include "records/CalCalendar.h"

#include <memory>

// Mirrors calendar changes into the model.
class ExternalCalendarCalendarStoreProcessor : public CalendarStoreProcessor {
    Q_OBJECT
public:
    using CalendarStoreProcessor::CalendarStoreProcessor;

protected:
    void deleteObjectsWithUid(const QString& uid) override;
    void addObjectsWithUid(const QString& uid) override;
    void updateObjectsWithUid(const QString& uid) override;
    virtual void replaceObjectsWithUid(const QString& uid, const std::shared_ptr<CalCalendar>& calendar);
    // None when the calendar went again before the notification came.
    std::shared_ptr<CalCalendar> fetchObjectsWithUid(const QString& uid);
};
