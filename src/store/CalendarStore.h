#pragma once

#include "StoreChanges.h"
#include "StoreError.h"
#include "records/CalCalendar.h"
#include "records/CalEvent.h"
#include "records/CalSpan.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <memory>
#include <optional>

using CalendarList = QList<std::shared_ptr<CalCalendar>>;
using EventList = QList<std::shared_ptr<CalEvent>>;

// The calendars and events on disk as the program sees them. Window queries return one record per
// occurrence overlapping [start, end). Saving and removing report success as nothing, or an error.
//
// Notifications: a change made through this object is announced by eventsChanged or calendarsChanged
// before the call that made it returns; changes made by other programs arrive later through the
// ...Externally signals. A change is never announced twice.
class CalendarStore : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual CalendarList calendars() = 0;
    virtual std::shared_ptr<CalCalendar> calendarWithUID(const QString& uid) = 0;
    virtual EventList events(const QDateTime& start, const QDateTime& end, const CalendarList& calendars) = 0;
    virtual EventList events(const QDateTime& start, const QDateTime& end, const QString& uid,
                             const CalendarList& calendars) = 0;
    // The event series stored in the calendar, whatever their dates; counted without reading any file.
    virtual qsizetype seriesCount(const QString& calendarUid) = 0;
    // One record per series of the calendar, whatever its dates: the master (for a recurring series at
    // DTSTART), else its first occurrence.
    virtual EventList seriesRecords(const QString& calendarUid) = 0;
    // The text of the file that holds the series, as last read or written; none when no file holds it.
    virtual std::optional<QByteArray> seriesText(const QString& uid) = 0;
    // Reads the changes on disk that were not yet announced and announces them now, before this returns.
    virtual void takeInExternalChanges() = 0;

    [[nodiscard]] virtual std::optional<StoreError> saveEvent(const CalEvent& event, CalSpan span) = 0;
    [[nodiscard]] virtual std::optional<StoreError> removeEvent(const CalEvent& event, CalSpan span) = 0;
    [[nodiscard]] virtual std::optional<StoreError> saveCalendar(const CalCalendar& calendar) = 0;
    [[nodiscard]] virtual std::optional<StoreError> removeCalendar(const CalCalendar& calendar) = 0;

    // What an import did: the series written (one file each), and why others were left out.
    struct ImportResult {
        QStringList importedUids;
        QStringList skipped;
        std::optional<StoreError> error; // nothing was written
    };
    // Puts the events of an iCalendar text (a file, a mail attachment) into a calendar, one file per
    // series with every property and time zone of the text but the scheduling METHOD. A file of one series
    // is stored as it is otherwise. Series whose uid the store already holds, and events without a uid, are
    // left out.
    virtual ImportResult importCalendarText(const QString& calendarUid, const QByteArray& text) = 0;

signals:
    void eventsChanged(const StoreChanges& changes);
    void calendarsChanged(const StoreChanges& changes);
    void eventsChangedExternally(const StoreChanges& changes);
    void calendarsChangedExternally(const StoreChanges& changes);
};
