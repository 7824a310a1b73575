#pragma once

#include "IcsDocument.h"

#include <QDateTime>
#include <QString>

// Gives a document the VTIMEZONE of the default time zone, so that times written with its TZID mean the
// same instants to every reader, whatever zone database the reader has.
class VTimeZoneWriter {
public:
    // Unless the document already has a VTIMEZONE with the default zone's TZID, adds one with the zone's
    // rules from the start of the year of `from` on (not the whole history), before the other components.
    // Returns the TZID: the zone's Olson id.
    static QString addDefaultZone(IcsDocument& document, const QDateTime& from);
};
