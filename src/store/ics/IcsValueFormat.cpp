#include "IcsValueFormat.h"

#include <QTimeZone>

namespace {

QString digits(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

} // namespace

QString IcsValueFormat::date(int year, int month, int day) {
    return digits(year, 4) + digits(month, 2) + digits(day, 2);
}

QString IcsValueFormat::dateTime(int year, int month, int day, int hour, int minute, int second) {
    return date(year, month, day) + u'T' + digits(hour, 2) + digits(minute, 2) + digits(second, 2);
}

QString IcsValueFormat::utcDateTime(const QDateTime& instant) {
    const QDateTime utc = instant.toTimeZone(QTimeZone::utc());
    const QDate day = utc.date();
    const QTime time = utc.time();
    return dateTime(day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()) + u'Z';
}

QString IcsValueFormat::localDateTime(const CalendarDate& instant) {
    return dateTime(instant.year(), instant.monthOfYear(), instant.dayOfMonth(), instant.hourOfDay(),
                    instant.minuteOfHour(), instant.secondOfMinute());
}

QString IcsValueFormat::localDate(const CalendarDate& instant) {
    return date(instant.year(), instant.monthOfYear(), instant.dayOfMonth());
}

QString IcsValueFormat::duration(qint64 seconds) {
    QString result = seconds < 0 ? QStringLiteral("-P") : QStringLiteral("P");
    qint64 rest = seconds < 0 ? -seconds : seconds;
    const qint64 days = rest / 86400;
    rest %= 86400;
    if (days > 0)
        result += QString::number(days) + u'D';
    if (rest == 0)
        return days > 0 ? result : result + QStringLiteral("T0S");
    const qint64 hours = rest / 3600, minutes = rest % 3600 / 60, secs = rest % 60;
    result += u'T';
    if (hours > 0)
        result += QString::number(hours) + u'H';
    // A time part cannot skip minutes between hours and seconds.
    if (minutes > 0 || (hours > 0 && secs > 0))
        result += QString::number(minutes) + u'M';
    if (secs > 0)
        result += QString::number(secs) + u'S';
    return result;
}

QString IcsValueFormat::withRulePart(QStringView rule, QStringView part, const QString& value) {
    QStringList parts;
    bool replaced = false;
    for (QStringView existing : rule.split(u';', Qt::SkipEmptyParts)) {
        if (existing.left(existing.indexOf(u'=')).compare(part, Qt::CaseInsensitive) != 0) {
            parts.append(existing.toString());
            continue;
        }
        if (!value.isEmpty() && !replaced)
            parts.append(part.toString() + u'=' + value);
        replaced = true;
    }
    if (!replaced && !value.isEmpty())
        parts.append(part.toString() + u'=' + value);
    return parts.join(u';');
}
