#pragma once

// Conversions between Qt and ICU for the adapters of this folder; ICU types stay out of public headers.

#include <QString>

#include <unicode/locid.h>
#include <unicode/unistr.h>

inline QString toQString(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

inline icu::UnicodeString toUnicodeString(const QString& text) {
    return icu::UnicodeString(reinterpret_cast<const char16_t*>(text.utf16()), int32_t(text.size()));
}

// The locale of an identifier (empty: the default locale), always with the Gregorian calendar, the
// calendar of CalendarDate's arithmetic.
inline icu::Locale gregorianLocale(const QString& localeId) {
    icu::Locale locale =
        localeId.isEmpty() ? icu::Locale::getDefault() : icu::Locale(localeId.toUtf8().constData());
    UErrorCode status = U_ZERO_ERROR;
    locale.setKeywordValue("calendar", "gregorian", status);
    return locale;
}
