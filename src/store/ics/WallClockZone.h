#pragma once

#include "WallTime.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// A time zone that turns clock readings into instants and back. The default-constructed zone stands for
// the default time zone of the moment (DateEnvironment), so floating times and all-day dates follow it
// when it changes. A zone is a small handle: the rules behind it live for the whole process.
//
// A clock reading that does not exist (skipped by a spring-forward change) moves forward by the gap,
// 02:30 becoming 03:30; one that occurs twice (fall-back) means its first occurrence.
class WallClockZone {
public:
    WallClockZone() = default;
    static WallClockZone utc();
    // The ICU zone of an Olson (or other ICU) identifier; nothing when ICU does not know it.
    static std::optional<WallClockZone> fromIdentifier(const QString& identifier);
    // The zone a VTIMEZONE component (its iCalendar text) defines; nothing when libical cannot use it.
    static std::optional<WallClockZone> fromDefinition(const QByteArray& vtimezone);

    bool isDefault() const { return m_rules == nullptr; }

    // A text from which `fromPersistentName` makes the same zone again, in a later run: empty for the
    // default zone. For caches that must not parse a file again.
    QByteArray persistentName() const;
    static std::optional<WallClockZone> fromPersistentName(const QByteArray& name);

    qint64 toMSecs(const WallTime& wall) const;
    WallTime toWall(qint64 msecs) const;
    QDateTime toInstant(const WallTime& wall) const; // in UTC
    WallTime toWall(const QDateTime& instant) const { return toWall(instant.toMSecsSinceEpoch()); }

    bool operator==(const WallClockZone&) const = default;

private:
    struct Rules;
    explicit WallClockZone(const Rules* rules) : m_rules(rules) {}
    const Rules* m_rules = nullptr;
};
