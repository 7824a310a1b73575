#pragma once

#include "WallClockZone.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Which zone a TZID means. Olson names are read through ICU, also behind the vendor prefixes some
// producers put before them ("/freeassociation.sourceforge.net/Tzfile/Europe/Berlin"), and Windows zone
// names ("W. Europe Standard Time") through ICU's table of them. A TZID that names neither is read with
// the VTIMEZONE the file gives for it, and failing that as the default zone.
class ZoneResolver {
public:
    // The zone a TZID names by itself, without any VTIMEZONE.
    static std::optional<WallClockZone> named(const QString& tzid);
    // `named`, else the zone `vtimezone` (the file's VTIMEZONE for this TZID, or empty) defines, else the
    // default zone, in which case `warning` says so.
    static WallClockZone resolve(const QString& tzid, const QByteArray& vtimezone, QString& warning);
};
