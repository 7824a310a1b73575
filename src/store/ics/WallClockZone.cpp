#include "WallClockZone.h"

#include "IcsLineFeed.h"
#include "dates/DateEnvironment.h"

#include <QHash>

#include <libical/ical.h>
#include <unicode/basictz.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

// Exactly one of the three kinds: an ICU zone, a libical zone built from a file's VTIMEZONE, or UTC.
struct WallClockZone::Rules {
    std::unique_ptr<icu::BasicTimeZone> icuZone;
    icaltimezone* icalZone = nullptr;
    QByteArray persistentName;

    Rules() = default;
    explicit Rules(QByteArray name) : persistentName(std::move(name)) {}
    Rules(const Rules&) = delete;
    Rules& operator=(const Rules&) = delete;
    ~Rules() {
        if (icalZone)
            icaltimezone_free(icalZone, 1);
    }
};

namespace {

qint64 floorSeconds(qint64 msecs) {
    return msecs >= 0 ? msecs / 1000 : -((-msecs + 999) / 1000);
}

std::unique_ptr<icu::BasicTimeZone> basicZone(icu::TimeZone* zone) {
    std::unique_ptr<icu::TimeZone> owned(zone);
    if (auto* basic = dynamic_cast<icu::BasicTimeZone*>(owned.get())) {
        owned.release();
        return std::unique_ptr<icu::BasicTimeZone>(basic);
    }
    return nullptr;
}

// The default zone, rebuilt when the date environment changes.
const icu::BasicTimeZone& defaultZone() {
    static std::unique_ptr<icu::BasicTimeZone> zone;
    static std::uint64_t generation = 0;
    if (!zone || generation != DateEnvironment::generation()) {
        zone = basicZone(icu::TimeZone::createDefault());
        if (!zone)
            zone = basicZone(icu::TimeZone::getGMT()->clone());
        generation = DateEnvironment::generation();
    }
    return *zone;
}

qint64 icuToMSecs(const icu::BasicTimeZone& zone, const WallTime& wall) {
    const qint64 local = wall.localSeconds() * 1000;
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    // The offset in force before a change: a skipped time moves forward, a repeated one is the first.
    zone.getOffsetFromLocal(double(local), UCAL_TZ_LOCAL_FORMER, UCAL_TZ_LOCAL_FORMER, raw, dst, status);
    return local - raw - dst;
}

WallTime icuToWall(const icu::BasicTimeZone& zone, qint64 msecs) {
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone.getOffset(double(msecs), false, raw, dst, status);
    return WallTime::fromLocalSeconds(floorSeconds(msecs + raw + dst));
}

icaltimetype icalWall(const WallTime& wall) {
    icaltimetype time = icaltime_null_time();
    time.year = wall.year;
    time.month = wall.month;
    time.day = wall.day;
    time.hour = wall.hour;
    time.minute = wall.minute;
    time.second = wall.second;
    return time;
}

// The kinds of persistent names: the first byte, followed by the identifier or the VTIMEZONE text.
constexpr char UTC_NAME = 'U';
constexpr char IDENTIFIER_NAME = 'I';
constexpr char DEFINITION_NAME = 'D';

} // namespace

WallClockZone WallClockZone::utc() {
    static const Rules rules(QByteArray(1, UTC_NAME));
    return WallClockZone(&rules);
}

QByteArray WallClockZone::persistentName() const {
    return m_rules ? m_rules->persistentName : QByteArray();
}

std::optional<WallClockZone> WallClockZone::fromPersistentName(const QByteArray& name) {
    if (name.isEmpty())
        return WallClockZone();
    const QByteArray text = name.mid(1);
    switch (name.front()) {
    case UTC_NAME:
        return text.isEmpty() ? std::optional(utc()) : std::nullopt;
    case IDENTIFIER_NAME:
        return fromIdentifier(QString::fromUtf8(text));
    case DEFINITION_NAME:
        return fromDefinition(text);
    default:
        return std::nullopt;
    }
}

std::optional<WallClockZone> WallClockZone::fromIdentifier(const QString& identifier) {
    // Rules are kept for the whole run: the store holds thousands of handles to a few zones.
    static QHash<QString, std::shared_ptr<const Rules>> known;
    const auto found = known.constFind(identifier);
    if (found != known.constEnd())
        return found.value() ? std::optional(WallClockZone(found.value().get())) : std::nullopt;

    const icu::UnicodeString id(reinterpret_cast<const UChar*>(identifier.utf16()),
                                int32_t(identifier.size()));
    icu::UnicodeString canonical;
    UBool isSystem = false;
    UErrorCode status = U_ZERO_ERROR;
    icu::TimeZone::getCanonicalID(id, canonical, isSystem, status);
    std::shared_ptr<Rules> rules;
    if (U_SUCCESS(status) && isSystem) {
        rules = std::make_shared<Rules>();
        rules->icuZone = basicZone(icu::TimeZone::createTimeZone(canonical));
        rules->persistentName = IDENTIFIER_NAME + identifier.toUtf8();
        if (!rules->icuZone)
            rules.reset();
    }
    known.insert(identifier, rules);
    return rules ? std::optional(WallClockZone(rules.get())) : std::nullopt;
}

std::optional<WallClockZone> WallClockZone::fromDefinition(const QByteArray& vtimezone) {
    static QHash<QByteArray, std::shared_ptr<const Rules>> known;
    const auto found = known.constFind(vtimezone);
    if (found != known.constEnd())
        return found.value() ? std::optional(WallClockZone(found.value().get())) : std::nullopt;

    std::shared_ptr<Rules> rules;
    icalcomponent* component = IcsLineFeed::parse(vtimezone);
    if (component && icalcomponent_isa(component) == ICAL_VTIMEZONE_COMPONENT) {
        rules = std::make_shared<Rules>();
        rules->icalZone = icaltimezone_new();
        rules->persistentName = DEFINITION_NAME + vtimezone;
        if (icaltimezone_set_component(rules->icalZone, component))
            component = nullptr; // owned by the zone now
        else
            rules.reset();
    }
    if (component)
        icalcomponent_free(component);
    known.insert(vtimezone, rules);
    return rules ? std::optional(WallClockZone(rules.get())) : std::nullopt;
}

qint64 WallClockZone::toMSecs(const WallTime& wall) const {
    if (!m_rules)
        return icuToMSecs(defaultZone(), wall);
    if (m_rules->icuZone)
        return icuToMSecs(*m_rules->icuZone, wall);
    if (m_rules->icalZone) {
        icaltimetype local = icalWall(wall);
        int isDaylight = 0;
        const int offset = icaltimezone_get_utc_offset(m_rules->icalZone, &local, &isDaylight);
        return (wall.localSeconds() - offset) * 1000;
    }
    return wall.localSeconds() * 1000;
}

WallTime WallClockZone::toWall(qint64 msecs) const {
    if (!m_rules)
        return icuToWall(defaultZone(), msecs);
    if (m_rules->icuZone)
        return icuToWall(*m_rules->icuZone, msecs);
    const qint64 seconds = floorSeconds(msecs);
    if (m_rules->icalZone) {
        icaltimetype utcTime = icalWall(WallTime::fromLocalSeconds(seconds));
        int isDaylight = 0;
        const int offset = icaltimezone_get_utc_offset_of_utc_time(m_rules->icalZone, &utcTime, &isDaylight);
        return WallTime::fromLocalSeconds(seconds + offset);
    }
    return WallTime::fromLocalSeconds(seconds);
}

QDateTime WallClockZone::toInstant(const WallTime& wall) const {
    return QDateTime::fromMSecsSinceEpoch(toMSecs(wall), Qt::UTC);
}
