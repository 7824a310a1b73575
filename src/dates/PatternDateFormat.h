#pragma once

#include "CalendarDate.h"

#include <QString>

#include <memory>

// One fixed TR35 date pattern ("EEE MMM d") written in a locale, in the default time zone. The platform
// formatter is made on first use and made again when the locale is set or DateEnvironment's zone or
// locale changes (DateEnvironment::generation()), so it always writes the current default zone. An empty
// locale identifier follows the default locale. Dates are always written in the Gregorian calendar, the
// calendar of CalendarDate's arithmetic, whatever the locale's own calendar.
class PatternDateFormat {
public:
    explicit PatternDateFormat(const QString& pattern, const QString& localeId = QString());
    ~PatternDateFormat();
    PatternDateFormat(const PatternDateFormat&) = delete;
    PatternDateFormat& operator=(const PatternDateFormat&) = delete;

    QString pattern() const;
    QString localeId() const;
    void setLocale(const QString& localeId);
    QString format(const CalendarDate& date) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
