#include "IcsZoneTable.h"

#include "ZoneChangeLimit.h"
#include "ZoneResolver.h"

namespace {

QByteArray textOf(icalcomponent* component) {
    if (!component)
        return QByteArray();
    char* text = icalcomponent_as_ical_string_r(component);
    const QByteArray result(text ? text : "");
    free(text);
    return result;
}

} // namespace

IcsZoneTable::IcsZoneTable(QList<icalcomponent*> vtimezones, QStringList& warnings)
    : m_vtimezones(std::move(vtimezones)), m_warnings(warnings) {}

WallClockZone IcsZoneTable::zone(const QString& tzid) {
    const auto found = m_zones.constFind(tzid);
    if (found != m_zones.constEnd())
        return found.value();
    // Named zones first: serialising a VTIMEZONE is only worth it for a TZID nothing else knows.
    std::optional<WallClockZone> zone = ZoneResolver::named(tzid);
    if (!zone)
        zone = defined(tzid);
    m_zones.insert(tzid, *zone);
    return *zone;
}

WallClockZone IcsZoneTable::defined(const QString& tzid) {
    icalcomponent* vtimezone = vtimezoneOf(tzid);
    const QString excess = vtimezone ? ZoneChangeLimit::excess(vtimezone) : QString();
    QString warning;
    WallClockZone zone;
    if (excess.isEmpty())
        zone = ZoneResolver::resolve(tzid, textOf(vtimezone), warning);
    else
        warning = QStringLiteral("the time zone \"%1\" is not used (%2): read in the default time zone")
                      .arg(tzid, excess);
    if (!warning.isEmpty())
        m_warnings.append(warning);
    return zone;
}

icalcomponent* IcsZoneTable::vtimezoneOf(const QString& tzid) const {
    const QByteArray wanted = tzid.toUtf8();
    for (icalcomponent* vtimezone : m_vtimezones) {
        icalproperty* property = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
        const char* name = property ? icalproperty_get_tzid(property) : nullptr;
        if (name && wanted == name)
            return vtimezone;
    }
    return nullptr;
}
