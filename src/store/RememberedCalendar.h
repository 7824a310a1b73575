#pragma once

#include <QString>

class ApplicationModel;
class UserDefaults;

// The calendar last selected in the window, kept in the user defaults: the window selects it again at
// its next start, and the helper and verdalune-cli put a new event where the window's New Event would.
class RememberedCalendar {
public:
    static inline const QString KEY = QStringLiteral("selectedCalendarUid");

    // Selects the remembered calendar, if any; it counts once the model holds a calendar of that uid.
    static void restore(ApplicationModel& model, const UserDefaults& defaults);
    // Restores it, then remembers each later selection.
    static void keep(ApplicationModel& model, UserDefaults& defaults);
};
