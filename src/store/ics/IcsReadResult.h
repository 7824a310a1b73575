#pragma once

#include "IcsSeries.h"

#include <QList>
#include <QStringList>

// What one calendar file holds: its series, one per UID, and what had to be skipped or guessed. A
// malformed file holds no usable event; the store leaves it alone.
struct IcsReadResult {
    QList<IcsSeries> series;
    QStringList warnings;
    bool malformed = false;
};
