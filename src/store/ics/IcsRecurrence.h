#pragma once

#include "IcsEventData.h"
#include "IcsTime.h"

#include <QByteArray>
#include <QList>

// The recurrence properties of a master VEVENT.
struct IcsRecurrence {
    // An RDATE that is a period: an occurrence with a length of its own.
    struct Period {
        IcsTime start;
        IcsEventData::Duration duration;
    };

    QList<QByteArray> rrules; // in file order; their occurrences are the union
    QList<IcsTime> rdates;
    QList<Period> periods;
    QList<IcsTime> exdates;

    bool isEmpty() const { return rrules.isEmpty() && rdates.isEmpty() && periods.isEmpty(); }
};
