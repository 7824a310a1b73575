#pragma once

#include <QString>

// Where the calendars live: $VERDALUNE_CALENDAR_DIR, else the configured folder, else
// $XDG_DATA_HOME/verdalune/calendars. A tree without any calendar gets one editable calendar "Home", so
// that a new user can start typing events at once.
class CalendarStoreLocation {
public:
    static QString rootDirectory(const QString& configured);
    // Creates the root and the calendar "Home" when the root holds no calendar; false when it cannot.
    [[nodiscard]] static bool prepare(const QString& root);
};
