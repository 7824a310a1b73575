#pragma once

#include "CalendarStore.h"
#include "CalendarStoreProcessor.h"

#include <QDateTime>

// Mirrors event changes into the model. The records of a changed uid are fetched again within the window
// of the last load.
class ExternalEventCalendarStoreProcessor : public CalendarStoreProcessor {
    Q_OBJECT
public:
    // Half the window loaded first: 180 days either side of now.
    static constexpr qint64 INITIAL_RANGE_SECONDS = 15'552'000;

    ExternalEventCalendarStoreProcessor(ApplicationModel& model, CalendarStoreController& storeController);

    void setRangeStartDate(const QDateTime& start, const QDateTime& end);
    QDateTime rangeStartDate() const { return m_rangeStartDate; }
    QDateTime rangeEndDate() const { return m_rangeEndDate; }

protected:
    void deleteObjectsWithUid(const QString& uid) override;
    void addObjectsWithUid(const QString& uid) override;
    void updateObjectsWithUid(const QString& uid) override;
    virtual void replaceObjectsWithUid(const QString& uid, const EventList& events);
    // All occurrences of the uid in the window, in all of the model's calendars.
    EventList fetchObjectsWithUid(const QString& uid);

private:
    QDateTime m_rangeStartDate;
    QDateTime m_rangeEndDate;
};
