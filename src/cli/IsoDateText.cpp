#include "IsoDateText.h"

#include "dates/GregorianDays.h"
#include "dates/ZoneOffsets.h"

#include <QDate>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace {

// Days from 1970-01-01 to the given civil date in the proleptic Gregorian calendar.
qint64 daysFromCivil(int year, int month, int day) {
    // QDate has no year zero, so those years keep its answer for them.
    if (year > 0)
        return GregorianDays::fromCivil(year, month, day);
    return QDate(year, month, day).toJulianDay() - QDate(1970, 1, 1).toJulianDay();
}

void putDigits(char*& out, int value, int count) {
    for (int i = count - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
    out += count;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

} // namespace

std::optional<CalendarDate> IsoDateText::read(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})(?:T(\d{2}):(\d{2})(?::(\d{2}))?(?:(Z)|([+-])(\d{2}):?(\d{2}))?)?$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.captured(1).toInt(), month = match.captured(2).toInt(),
              day = match.captured(3).toInt();
    const int hour = match.captured(4).toInt(), minute = match.captured(5).toInt();
    const int second = match.captured(6).isEmpty() ? 0 : match.captured(6).toInt();
    if (!QDate::isValid(year, month, day) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const qint64 wallSeconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    const bool hasOffset = !match.captured(7).isEmpty() || !match.captured(8).isEmpty();
    if (!hasOffset) {
        // From 1583 on the app's calendar is Gregorian and knows the zone's transitions; before, its
        // calendar is Julian, and the zone has no transitions there that far back.
        if (year >= 1583)
            return CalendarDate::fromComponents(year, month, day, hour, minute, second);
        const double wall = double(wallSeconds) * 1000.0;
        return CalendarDate::fromMSecsSinceEpoch(
            ZoneOffsets::utcOfWallTime(wall).value_or(wall - ZoneOffsets::atUtc(wall)));
    }
    int offsetSeconds = 0;
    if (!match.captured(8).isEmpty()) {
        const int offsetHours = match.captured(9).toInt(), offsetMinutes = match.captured(10).toInt();
        if (offsetHours > 18 || offsetMinutes > 59)
            return std::nullopt;
        offsetSeconds = (offsetHours * 3600 + offsetMinutes * 60) * (match.captured(8) == u"-" ? -1 : 1);
    }
    return CalendarDate::fromMSecsSinceEpoch(double(wallSeconds - offsetSeconds) * 1000.0);
}

std::optional<CalendarDate> IsoDateText::readOption(const CommandLineOptions& options, const QString& name,
                                                    QString& error) {
    std::optional<CalendarDate> date = read(options.value(name));
    if (!date)
        error = QStringLiteral("%1: \"%2\" is not a date or date-time of the form YYYY-MM-DD[THH:MM[:SS]], "
                               "optionally followed by Z or +hh:mm")
                    .arg(name, options.value(name));
    return date;
}

std::optional<QString> IsoDateText::write(const CalendarDate& date) {
    // The proleptic Gregorian calendar, as ISO 8601 wants, also before 1582 where ICU's calendar is
    // Julian; a local date outside the years 1-9999 the form can hold is written in UTC instead, and one
    // outside them in UTC too is not written at all.
    const auto utcMsecs = qint64(std::floor(date.msecsSinceEpoch()));
    // The form holds whole minutes of offset (old local mean times have seconds): the clock reading is
    // taken with the offset as written, so that the text names the very instant.
    const qint64 exact = ZoneOffsets::atUtc(double(utcMsecs)) / 1000;
    qint64 offset = (exact >= 0 ? exact + 30 : exact - 30) / 60 * 60;
    const auto localOf = [&](qint64 offsetSeconds) {
        const qint64 seconds = utcMsecs / 1000 - (utcMsecs % 1000 < 0 ? 1 : 0) + offsetSeconds;
        const qint64 days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
        return std::pair{GregorianDays::toCivil(days), int(seconds - days * 86400)};
    };
    auto [civil, secondOfDay] = localOf(offset);
    if (civil.year < 1 || civil.year > 9999) {
        offset = 0;
        std::tie(civil, secondOfDay) = localOf(0);
        if (civil.year < 1 || civil.year > 9999)
            return std::nullopt;
    }
    const int year = int(civil.year), month = civil.month, day = civil.day;
    const int hour = secondOfDay / 3600, minute = secondOfDay / 60 % 60, second = secondOfDay % 60;
    const qint64 offsetMinutes = std::llabs(offset) / 60;
    if (year >= 1000 && year <= 9999 && offsetMinutes < 100 * 60) {
        // Every field has its fixed width here: written digit by digit, as the general form below would.
        char text[25];
        char* out = text;
        putDigits(out, year, 4);
        *out++ = '-';
        putDigits(out, month, 2);
        *out++ = '-';
        putDigits(out, day, 2);
        *out++ = 'T';
        putDigits(out, hour, 2);
        *out++ = ':';
        putDigits(out, minute, 2);
        *out++ = ':';
        putDigits(out, second, 2);
        *out++ = offset < 0 ? '-' : '+';
        putDigits(out, int(offsetMinutes / 60), 2);
        *out++ = ':';
        putDigits(out, int(offsetMinutes % 60), 2);
        return QString::fromLatin1(text, out - text);
    }
    return QStringLiteral("%1-%2-%3T%4:%5:%6%7%8:%9")
        .arg(year, 4, 10, QChar(u'0'))
        .arg(twoDigits(month), twoDigits(day), twoDigits(hour), twoDigits(minute), twoDigits(second))
        .arg(offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(twoDigits(int(offsetMinutes / 60)), twoDigits(int(offsetMinutes % 60)));
}
