#pragma once

#include <QDateTime>

// When a recurrence stops: at a date or after a number of occurrences.
struct CalRecurrenceEnd {
    bool usesEndDate = false;
    QDateTime endDate;       // meaningful when usesEndDate
    int occurrenceCount = 0; // meaningful otherwise

    bool operator==(const CalRecurrenceEnd&) const = default;
};
