#pragma once

#include "IcsDocument.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Gives a document the VTIMEZONEs of the zones its times name, so that times written with a TZID mean the
// same instants to every reader, whatever zone database the reader has.
class VTimeZoneWriter {
public:
    // Whether the zone is UTC under one of its names: times in it are written as UTC ("...Z"), which every
    // reader and server takes as it stands, never with a TZID and a VTIMEZONE of their own.
    static bool isUtc(const QString& tzid);
    // Unless the default zone is UTC (then nothing), makes sure the document has its VTIMEZONE (see
    // addZone) and returns its TZID: the zone's Olson id.
    static std::optional<QString> addDefaultZone(IcsDocument& document, const QDateTime& from);
    // Unless the document already has a VTIMEZONE with this TZID, adds one with the zone's rules from the
    // start of the year of `from` on (not the whole history), with the zone's abbreviations as TZNAMEs,
    // before the other components. False when the zone is not one the zone data knows.
    static bool addZone(IcsDocument& document, const QString& tzid, const QDateTime& from);
};
