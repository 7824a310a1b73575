#pragma once

#include <QString>

class UserDefaults;

// The display formats of the editor's date controls, on the clock and in the order of day and month that
// the preferences set, as the command field and the timeline show them.
struct PickerFormats {
    QString date;        // "Wed Dec 9 2026" or "Wed 9 Dec 2026"
    QString dateAndTime; // with "2:30 PM" or "14:30"

    static PickerFormats fromPreferences(const UserDefaults& userDefaults);
};
