#pragma once

#include <QLocale>
#include <QVariantMap>

// The registered defaults of the main program: those of the factory file, with the clock style and the
// day-month order taken from the locale.
class ApplicationDefaults {
public:
    static QVariantMap registeredDefaults(const QLocale& locale = QLocale::system());
    // 12 when the locale writes 23:00 as 11 something, else 24.
    static int timeDisplayHours(const QLocale& locale);
    // 1 (month first) in the United States, else 0.
    static int dayMonthOrder(const QLocale& locale);
};
