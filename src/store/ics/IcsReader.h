#pragma once

#include "IcsReadResult.h"

#include <QByteArray>

// Reads the text of one calendar file: a VCALENDAR, several top-level components, or bare VEVENTs.
// VEVENTs are grouped by UID into series, in the order their UIDs first appear; each VEVENT without a
// UID is a series of its own with an empty uid. Of two VEVENTs for the same occurrence (two masters,
// or two overrides with one RECURRENCE-ID) the higher SEQUENCE wins, and on a tie the later one.
// VTODO and VJOURNAL are left out. A file libical cannot parse, or without a usable VEVENT, is
// malformed.
class IcsReader {
public:
    static IcsReadResult read(const QByteArray& fileText);
};
