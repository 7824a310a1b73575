#include "OccurrenceValues.h"

#include "store/ics/WallTime.h"
#include "store/ics/ZoneResolver.h"

#include <QRegularExpression>

namespace {

std::optional<WallTime> readWallTime(QStringView text, bool& utc, bool& isDate) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{4})(\d{2})(\d{2})(?:T(\d{2})(\d{2})(\d{2})(Z)?)?$)"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed().toString());
    if (!match.hasMatch())
        return std::nullopt;
    isDate = !match.hasCaptured(4);
    utc = match.hasCaptured(7);
    auto number = [&](int group) { return match.hasCaptured(group) ? match.capturedView(group).toInt() : 0; };
    return WallTime{number(1), number(2), number(3), number(4), number(5), number(6)};
}

} // namespace

QList<QDateTime> OccurrenceValues::instants(const ContentLine& line, const DateForm& seriesForm,
                                            const WallClockZone& seriesZone) {
    const QStringList tzid = line.parameter(u"TZID");
    WallClockZone zone; // the default zone, for dates and floating times
    if (!tzid.isEmpty()) {
        if (tzid.front() == seriesForm.tzid)
            zone = seriesZone;
        else if (const std::optional<WallClockZone> named = ZoneResolver::named(tzid.front()))
            zone = *named;
    }
    QList<QDateTime> result;
    for (const QString& value : line.value().split(u',', Qt::SkipEmptyParts)) {
        bool utc = false, isDate = false;
        // A PERIOD (start/end or start/duration) is named by its start.
        const std::optional<WallTime> wall = readWallTime(
            QStringView(value).left(value.indexOf(u'/') < 0 ? value.size() : value.indexOf(u'/')), utc,
            isDate);
        if (!wall)
            continue;
        if (isDate || seriesForm.kind == DateForm::Date)
            result.append(WallClockZone().toInstant(wall->startOfDay()));
        else if (utc)
            result.append(WallClockZone::utc().toInstant(*wall));
        else
            result.append(zone.toInstant(*wall));
    }
    return result;
}
