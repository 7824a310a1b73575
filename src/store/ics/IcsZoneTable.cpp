#include "IcsZoneTable.h"

#include "ZoneResolver.h"

IcsZoneTable::IcsZoneTable(QList<icalcomponent*> vtimezones, QStringList& warnings)
    : m_vtimezones(std::move(vtimezones)), m_warnings(warnings) {}

WallClockZone IcsZoneTable::zone(const QString& tzid) {
    const auto found = m_zones.constFind(tzid);
    if (found != m_zones.constEnd())
        return found.value();
    // Named zones first: serialising a VTIMEZONE is only worth it for a TZID nothing else knows.
    std::optional<WallClockZone> zone = ZoneResolver::named(tzid);
    if (!zone) {
        QString warning;
        zone = ZoneResolver::resolve(tzid, definitionOf(tzid), warning);
        if (!warning.isEmpty())
            m_warnings.append(warning);
    }
    m_zones.insert(tzid, *zone);
    return *zone;
}

QByteArray IcsZoneTable::definitionOf(const QString& tzid) const {
    const QByteArray wanted = tzid.toUtf8();
    for (icalcomponent* vtimezone : m_vtimezones) {
        icalproperty* property = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
        const char* name = property ? icalproperty_get_tzid(property) : nullptr;
        if (name && wanted == name) {
            char* text = icalcomponent_as_ical_string_r(vtimezone);
            const QByteArray definition(text ? text : "");
            free(text);
            return definition;
        }
    }
    return QByteArray();
}
