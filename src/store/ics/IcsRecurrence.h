#pragma once

#include "IcsTime.h"

#include <QByteArray>
#include <QList>

// The recurrence properties of a master VEVENT.
struct IcsRecurrence {
    QByteArray rrule; // empty without an RRULE
    QList<IcsTime> rdates;
    QList<IcsTime> exdates;

    bool isEmpty() const { return rrule.isEmpty() && rdates.isEmpty(); }
};
