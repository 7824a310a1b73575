#pragma once

#include "IcsDocument.h"
#include "records/CalEvent.h"
#include "store/StoreError.h"

#include <QDateTime>

#include <optional>

// Writes the fields the program owns (times, title, location, notes, URL, alarms, rule, the answers to an
// invitation) from an event
// record into a VEVENT, touching only the properties whose meaning changed since the record was read, so
// that a change made here and changes made by other programs to other properties both survive.
class VEventWriter {
public:
    // `now` stamps the changes (DTSTAMP, LAST-MODIFIED, CREATED).
    explicit VEventWriter(IcsDocument& document, QDateTime now = QDateTime::currentDateTimeUtc());

    // Why the record cannot be written, or nothing.
    static std::optional<StoreError> check(const CalEvent& event);

    // A new VCALENDAR holding one VEVENT with every field of `event`, which must pass check, and the zones
    // its times name.
    static IcsDocument documentWithEvent(const CalEvent& event,
                                         const QDateTime& now = QDateTime::currentDateTimeUtc());

    // Writes into `event`, a VEVENT of the document, what differs between `before` (the record as read) and
    // `after`; with no `before`, every field of a new event with its UID. Returns false when nothing
    // differed and the component is unchanged. `after` must pass check.
    bool write(IcsComponent& event, const CalEvent* before, const CalEvent& after);
    // Adds to the document a VEVENT for one occurrence of the series `master`: a copy of the master
    // without its recurrence, with RECURRENCE-ID `after.occurrence`, the times of `after` and the changes
    // from `before` (the occurrence as read) to `after`.
    IcsComponent& addOverride(const IcsComponent& master, const CalEvent& before, const CalEvent& after);

    // Gives the ATTENDEE lines of `event` with the address of an entry of `answers` its answer, and stamps
    // the change as an answer, which leaves SEQUENCE to the organiser. Returns false when nothing changed.
    bool writeAnswers(IcsComponent& event, const QList<CalAttendee>& answers);

    // A RECURRENCE-ID or EXDATE line for an occurrence of the series `master` in the form of its DTSTART,
    // so that readers match it: a DATE for an all-day series, a wall-clock time for a floating start or
    // one in the default zone (unless that is UTC), UTC otherwise.
    static ContentLine occurrenceLine(const QString& name, const IcsComponent& master,
                                      const QDateTime& occurrence);

private:
    // A time of `after` on the clock of the default zone with its TZID, or in UTC when that is the zone.
    ContentLine timeLine(const QString& name, const QDateTime& instant, const CalEvent& after);
    void writeStart(IcsComponent& event, const CalEvent& after);
    void writeEnd(IcsComponent& event, const CalEvent& after);
    void writeAlarms(IcsComponent& event, const CalEvent& after);
    void writeRule(IcsComponent& event, const CalEvent* before, const CalEvent& after);
    static bool replaceAnswers(IcsComponent& event, const QList<CalAttendee>& answers);
    // Marks a change; one of an answer only keeps SEQUENCE, which counts the organiser's revisions.
    void stamp(IcsComponent& event, bool revision = true);
    // Adds the VTIMEZONE of every zone the document's times name that it lacks and the zone data knows.
    void addMissingZones();

    IcsDocument& m_document;
    QDateTime m_now;
};
