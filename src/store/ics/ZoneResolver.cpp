#include "ZoneResolver.h"

#include <QStringList>

#include <unicode/timezone.h>
#include <unicode/unistr.h>

namespace {

std::optional<WallClockZone> fromWindowsName(const QString& name) {
    const icu::UnicodeString windowsId(reinterpret_cast<const UChar*>(name.utf16()), int32_t(name.size()));
    icu::UnicodeString olsonId;
    UErrorCode status = U_ZERO_ERROR;
    icu::TimeZone::getIDForWindowsID(windowsId, "001", olsonId, status);
    if (U_FAILURE(status) || olsonId.isEmpty())
        return std::nullopt;
    return WallClockZone::fromIdentifier(
        QString(reinterpret_cast<const QChar*>(olsonId.getBuffer()), olsonId.length()));
}

} // namespace

std::optional<WallClockZone> ZoneResolver::named(const QString& tzid) {
    const QString name = tzid.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    if (auto zone = WallClockZone::fromIdentifier(name))
        return zone;
    if (name.startsWith(u'/')) {
        // "/vendor/version/Region/City": try the tails from the longest down to "Region/City".
        const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
        for (qsizetype first = 0; first < parts.size() - 1; ++first)
            if (auto zone = WallClockZone::fromIdentifier(parts.mid(first).join(u'/')))
                return zone;
    }
    return fromWindowsName(name);
}

WallClockZone ZoneResolver::resolve(const QString& tzid, const QByteArray& vtimezone, QString& warning) {
    if (auto zone = named(tzid))
        return *zone;
    if (!vtimezone.isEmpty())
        if (auto zone = WallClockZone::fromDefinition(vtimezone))
            return *zone;
    warning = QStringLiteral("unknown time zone \"%1\": read in the default time zone").arg(tzid);
    return WallClockZone();
}
