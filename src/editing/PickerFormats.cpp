#include "PickerFormats.h"

#include "base/UserDefaults.h"
#include "shortcut/PreferenceKeys.h"

PickerFormats PickerFormats::fromPreferences(const UserDefaults& userDefaults) {
    const bool monthFirst = userDefaults.value(PreferenceKeys::DAY_MONTH_ORDER).toInt() == 1;
    const bool twelveHours = userDefaults.value(PreferenceKeys::TIME_DISPLAY_HOURS).toInt() == 12;
    PickerFormats formats;
    formats.date = monthFirst ? QStringLiteral("ddd MMM d yyyy") : QStringLiteral("ddd d MMM yyyy");
    formats.dateAndTime =
        formats.date + (twelveHours ? QStringLiteral("  h:mm AP") : QStringLiteral("  HH:mm"));
    return formats;
}
