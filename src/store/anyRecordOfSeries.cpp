#include "anyRecordOfSeries.h"

std::shared_ptr<CalEvent> anyRecordOfSeries(CalendarStore& store, const QString& uid) {
    const CalendarList calendars = store.calendars();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int years : {1, 30, 300}) {
        const EventList records = store.events(now.addYears(-years), now.addYears(years), uid, calendars);
        if (!records.isEmpty())
            return records.front();
    }
    // Every date the store can show, for an event far from now.
    const EventList records =
        store.events(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC),
                     QDateTime(QDate(10000, 1, 1), QTime(0, 0), Qt::UTC), uid, calendars);
    return records.isEmpty() ? nullptr : records.front();
}
