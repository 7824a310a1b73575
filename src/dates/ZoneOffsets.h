#pragma once

#include <optional>

// Offsets of the default time zone from UTC, in milliseconds, read through the spans between the zone's
// transitions: once a span is known, every instant well inside it is answered without asking the zone.
// Instants near a transition are left to the zone itself (or, for wall times, to the caller).
class ZoneOffsets {
public:
    static int atUtc(double utcMsecs);
    // The UTC instant of a wall-clock time (milliseconds as if UTC) that lies well inside one span, where
    // it occurs exactly once; nothing near a transition, where it may be skipped or repeated.
    static std::optional<double> utcOfWallTime(double wallMsecs);
};
