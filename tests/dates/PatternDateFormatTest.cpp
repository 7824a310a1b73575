#include "dates/PatternDateFormat.h"

#include "DateEnvironmentGuard.h"

#include <gtest/gtest.h>

#include <unicode/smpdtfmt.h>

namespace {

QString icuText(const char* pattern, const char* locale, double msecs) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale gregorian(locale);
    gregorian.setKeywordValue("calendar", "gregorian", status);
    icu::SimpleDateFormat format(icu::UnicodeString::fromUTF8(pattern), gregorian, status);
    icu::UnicodeString text;
    format.format(msecs, text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// The patterns that are written without ICU must read as ICU writes them, in every locale, whether the
// locale's names and digits are Latin or not; the others are left to ICU.
TEST(PatternDateFormat, WritesAsIcuDoes) {
    const char* patterns[] = {"h:mm a", "H:mm",          "EEE",  "EEE MMM d", "hh", "HH",          "a",
                              "EEE d",  "d. MMM, HH:mm", "MMMM", "EEEEE",     "y",  "h 'o''clock'"};
    const char* locales[] = {
        "en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "ar_EG", "fa_IR", "ko_KR", "en_US@numbers=arab"};
    DateEnvironmentGuard env(QStringLiteral("Europe/Berlin"));
    for (const char* locale : locales) {
        for (const char* pattern : patterns) {
            const PatternDateFormat format(QString::fromUtf8(pattern), QString::fromUtf8(locale));
            // Every hour and weekday, and each month, of 2026, with the change to and from summer time.
            for (double msecs = 1'767'225'600'000.0; msecs < 1'798'761'600'000.0;
                 msecs += 37 * 3'600'000.0 + 60'000)
                ASSERT_EQ(format.format(CalendarDate::fromMSecsSinceEpoch(msecs)),
                          icuText(pattern, locale, msecs))
                    << pattern << ' ' << locale << ' ' << msecs;
        }
    }
}

} // namespace
