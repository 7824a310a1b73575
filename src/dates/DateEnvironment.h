#pragma once

#include <QString>

#include <cstdint>

// The default time zone and locale that all calendar arithmetic and formatting follow. They come from
// the environment (TZ, LC_ALL, LANG) unless a caller replaces them. Code that caches zone- or
// locale-dependent objects compares `generation()` to see when to rebuild them.
class DateEnvironment {
public:
    // Returns false, changing nothing, for an identifier ICU does not know.
    [[nodiscard]] static bool setTimeZone(const QString& olsonId);
    static QString timeZoneId();
    static void setLocale(const QString& localeId);
    static QString localeId();
    static std::uint64_t generation();
};
