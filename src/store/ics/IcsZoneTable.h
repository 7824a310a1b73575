#pragma once

#include "WallClockZone.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <libical/ical.h>

// The zones of one file's TZIDs, each looked up once, with the file's VTIMEZONEs at hand for TZIDs
// that name no known zone. A VTIMEZONE beyond ZoneChangeLimit's limits is not used, with a warning.
class IcsZoneTable {
public:
    IcsZoneTable(QList<icalcomponent*> vtimezones, QStringList& warnings);
    WallClockZone zone(const QString& tzid);

private:
    // The zone of a TZID no known zone has: the one its VTIMEZONE defines, else the default zone.
    WallClockZone defined(const QString& tzid);
    icalcomponent* vtimezoneOf(const QString& tzid) const;

    QList<icalcomponent*> m_vtimezones;
    QStringList& m_warnings;
    QHash<QString, WallClockZone> m_zones;
};
