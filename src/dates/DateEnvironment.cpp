#include "DateEnvironment.h"

#include "IcuText.h"

#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace {
std::uint64_t g_generation = 1;

} // namespace

bool DateEnvironment::setTimeZone(const QString& olsonId) {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(toUnicodeString(olsonId)));
    if (!zone)
        return false;
    icu::UnicodeString resolved;
    zone->getID(resolved);
    if (resolved == icu::UnicodeString(UCAL_UNKNOWN_ZONE_ID))
        return false;
    icu::TimeZone::adoptDefault(zone.release());
    ++g_generation;
    return true;
}

QString DateEnvironment::timeZoneId() {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    icu::UnicodeString id;
    zone->getID(id);
    return toQString(id);
}

void DateEnvironment::setLocale(const QString& localeId) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(localeId.toUtf8().constData()), status);
    ++g_generation;
}

QString DateEnvironment::localeId() {
    return QString::fromUtf8(icu::Locale::getDefault().getName());
}

std::uint64_t DateEnvironment::generation() {
    return g_generation;
}
