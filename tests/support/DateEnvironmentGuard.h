#pragma once

#include "dates/DateEnvironment.h"

#include <QString>

#include <stdexcept>

// Pins the default time zone and locale for one test and restores the previous ones afterwards.
class DateEnvironmentGuard {
public:
    explicit DateEnvironmentGuard(const QString& zone, const QString& locale = QStringLiteral("en_US"))
        : m_zone(DateEnvironment::timeZoneId()), m_locale(DateEnvironment::localeId()) {
        if (!DateEnvironment::setTimeZone(zone))
            throw std::invalid_argument("unknown time zone " + zone.toStdString());
        DateEnvironment::setLocale(locale);
    }
    ~DateEnvironmentGuard() {
        (void)DateEnvironment::setTimeZone(m_zone);
        DateEnvironment::setLocale(m_locale);
    }
    DateEnvironmentGuard(const DateEnvironmentGuard&) = delete;
    DateEnvironmentGuard& operator=(const DateEnvironmentGuard&) = delete;

private:
    QString m_zone;
    QString m_locale;
};
