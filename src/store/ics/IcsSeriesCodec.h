#pragma once

#include "BinaryReader.h"
#include "BinaryWriter.h"
#include "IcsSeries.h"

#include <QByteArray>
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
    void write(BinaryWriter& out, const IcsSeries& series);
    // The zones `write` has numbered so far, to be given to the reading codec before any series.
    const QList<QByteArray>& zoneNames() const { return m_names; }

    // False when a zone cannot be made again in this run (the series naming it must be parsed anew).
    // Series written afterwards number their zones after these, so what was read stays valid.
    bool setZoneNames(const QList<QByteArray>& names);
    // Nothing when the stream is damaged.
    std::optional<IcsSeries> read(BinaryReader& in);

private:
    void write(BinaryWriter& out, const WallClockZone& zone);
    void write(BinaryWriter& out, const IcsTime& time);
    void write(BinaryWriter& out, const QList<IcsTime>& times);
    void write(BinaryWriter& out, const IcsEventData& event);
    void write(BinaryWriter& out, const IcsRecurrence& recurrence);
    bool read(BinaryReader& in, WallClockZone& zone);
    bool read(BinaryReader& in, IcsTime& time);
    bool read(BinaryReader& in, QList<IcsTime>& times);
    bool read(BinaryReader& in, IcsEventData& event);
    bool read(BinaryReader& in, IcsRecurrence& recurrence);

    QHash<QByteArray, qint32> m_numbers; // by persistent name, when writing
    QList<QByteArray> m_names;
    QList<WallClockZone> m_zones; // by number, when reading
};
