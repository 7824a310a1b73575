#pragma once

#include "records/CalEvent.h"
#include "store/StoreError.h"
#include "store/ics/IcsDocument.h"
#include "store/ics/IcsSeries.h"

#include <QDateTime>

#include <optional>

// Applies a change to one series of an iCalendar document: to all its occurrences, to one, or to one
// and those after it (which splits the series in two). Only the lines the change concerns are touched.
class SeriesEditor {
public:
    SeriesEditor(IcsDocument& document, const IcsSeries& series,
                 QDateTime now = QDateTime::currentDateTimeUtc());

    // The whole series takes the record's fields; an occurrence that moved moves the series by as much.
    void saveAll(const CalEvent& record);
    // An override for the record's occurrence, created or changed.
    void saveThis(const CalEvent& record);
    // Ends the series before the record's occurrence and returns the document of a new series with
    // `newUid` that starts there with the record's fields and carries the later overrides and exclusions.
    // Nothing when the occurrence is the first: then the whole series changes.
    std::optional<IcsDocument> saveFuture(const CalEvent& record, const QString& newUid);

    // Whether the series has an occurrence that started originally at `occurrence`.
    bool hasOccurrence(const QDateTime& occurrence) const { return occurrenceAsRead(occurrence) != nullptr; }

    void removeThis(const CalEvent& record);
    // Ends the series before the record's occurrence; false when that is the first occurrence, so that
    // the whole series goes.
    bool removeFuture(const CalEvent& record);
    void removeAll();
    // True when the document holds no event, to-do or journal entry any more.
    bool documentIsEmpty() const;

private:
    IcsComponent* master() const;
    IcsComponent* overrideFor(const QDateTime& occurrence) const;
    // The occurrence as read, to compare the edited record with; null when it cannot be found.
    std::shared_ptr<CalEvent> occurrenceAsRead(const QDateTime& occurrence) const;
    // What splitting a series takes from its earlier part.
    struct Cut {
        QList<std::pair<IcsComponent, QDateTime>> overrides; // with the occurrence each replaces
        QList<QDateTime> exclusions;
        QList<std::pair<QDateTime, QString>> additions; // with the length of a period ("PT2H"), else empty
    };
    // Removes the overrides, EXDATEs and RDATEs at or after `occurrence` and returns them.
    Cut cutFrom(const QDateTime& occurrence);
    void endBefore(const QDateTime& occurrence);
    QList<QDateTime> instants(const ContentLine& line) const;
    // The length of the RDATE period `value` (one value of an RDATE line) as a duration; empty when it
    // is not a period.
    QString periodLength(const ContentLine& value, const QDateTime& start) const;

    IcsDocument& m_document;
    const IcsSeries& m_series;
    QDateTime m_now;
};
