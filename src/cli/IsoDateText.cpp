#include "IsoDateText.h"

#include "dates/GregorianDays.h"

#include <QDate>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>

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
        R"(^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2})(?::(\d{2}))?(?:(Z)|([+-])(\d{2}):?(\d{2}))?$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.captured(1).toInt(), month = match.captured(2).toInt(),
              day = match.captured(3).toInt();
    const int hour = match.captured(4).toInt(), minute = match.captured(5).toInt();
    const int second = match.captured(6).isEmpty() ? 0 : match.captured(6).toInt();
    if (!QDate::isValid(year, month, day) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const bool hasOffset = !match.captured(7).isEmpty() || !match.captured(8).isEmpty();
    if (!hasOffset)
        return CalendarDate::fromComponents(year, month, day, hour, minute, second);
    int offsetSeconds = 0;
    if (!match.captured(8).isEmpty()) {
        const int offsetHours = match.captured(9).toInt(), offsetMinutes = match.captured(10).toInt();
        if (offsetHours > 18 || offsetMinutes > 59)
            return std::nullopt;
        offsetSeconds = (offsetHours * 3600 + offsetMinutes * 60) * (match.captured(8) == u"-" ? -1 : 1);
    }
    const qint64 utcSeconds =
        daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offsetSeconds;
    return CalendarDate::fromMSecsSinceEpoch(double(utcSeconds) * 1000.0);
}

std::optional<CalendarDate> IsoDateText::readOption(const CommandLineOptions& options, const QString& name,
                                                    QString& error) {
    std::optional<CalendarDate> date = read(options.value(name));
    if (!date)
        error = QStringLiteral("%1: \"%2\" is not a date-time of the form YYYY-MM-DDTHH:MM[:SS], optionally "
                               "followed by Z or +hh:mm")
                    .arg(name, options.value(name));
    return date;
}

QString IsoDateText::write(const CalendarDate& date) {
    const CalendarDate::Fields fields = date.fields();
    const int year = fields.year, month = fields.month, day = fields.day;
    const int hour = fields.hour, minute = fields.minute, second = fields.second;
    const qint64 localSeconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    const auto utcSeconds = qint64(std::floor(date.msecsSinceEpoch() / 1000.0));
    const qint64 offset = localSeconds - utcSeconds;
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
