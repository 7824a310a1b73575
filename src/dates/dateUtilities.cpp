#include "dateUtilities.h"

#include "TimeOfDayReader.h"
#include "base/Logger.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>

#include <chrono>
#include <memory>

std::optional<CalendarDate> createDate(const QString& text) {
    const std::optional<TimeOfDay> time = TimeOfDayReader::read(text);
    if (!time)
        return std::nullopt;
    return CalendarDate::dateWithDate(CalendarDate::now(), *time);
}

int defaultSystemTimeModeHours() {
    std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, icu::Locale::getDefault()));
    if (format) {
        icu::UnicodeString text;
        const CalendarDate elevenPm = CalendarDate::dateWithDate(CalendarDate::now(), {23, 0, 0});
        format->format(elevenPm.msecsSinceEpoch(), text);
        if (text.startsWith(icu::UnicodeString(u"11")))
            return 12;
        if (text.startsWith(icu::UnicodeString(u"23")))
            return 24;
    }
    VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL, QStringLiteral("Could not determine 12 or 24h clock. "));
    return 24;
}

int defaultDayMonthOrder() {
    return QString::fromLatin1(icu::Locale::getDefault().getCountry()) == QLatin1String("US") ? 1 : 0;
}

QString requiredLocale() {
    return QStringLiteral("en_US");
}

double doublePrecisionSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
