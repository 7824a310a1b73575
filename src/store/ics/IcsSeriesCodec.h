#pragma once

#include "IcsSeries.h"

#include <QByteArray>
#include <QDataStream>
#include <QHash>
#include <QList>

#include <optional>

struct IcsEventData;
struct IcsRecurrence;
struct IcsTime;

// The series of a file in a binary form that reads back far faster than the file's text parses, for a
// cache of the store. Zones are written as numbers into a table of their persistent names, kept apart
// from the series so that the thousands of times of a store name each zone once.
class IcsSeriesCodec {
public:
    void write(QDataStream& out, const IcsSeries& series);
    // The zones `write` has numbered so far, to be given to the reading codec before any series.
    const QList<QByteArray>& zoneNames() const { return m_names; }

    // False when a zone cannot be made again in this run (the series naming it must be parsed anew).
    bool setZoneNames(const QList<QByteArray>& names);
    // Nothing when the stream is damaged.
    std::optional<IcsSeries> read(QDataStream& in);

private:
    void write(QDataStream& out, const WallClockZone& zone);
    void write(QDataStream& out, const IcsTime& time);
    void write(QDataStream& out, const QList<IcsTime>& times);
    void write(QDataStream& out, const IcsEventData& event);
    void write(QDataStream& out, const IcsRecurrence& recurrence);
    bool read(QDataStream& in, WallClockZone& zone);
    bool read(QDataStream& in, IcsTime& time);
    bool read(QDataStream& in, QList<IcsTime>& times);
    bool read(QDataStream& in, IcsEventData& event);
    bool read(QDataStream& in, IcsRecurrence& recurrence);

    QHash<QByteArray, qint32> m_numbers; // by persistent name, when writing
    QList<QByteArray> m_names;
    QList<WallClockZone> m_zones; // by number, when reading
};
