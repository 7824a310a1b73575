#pragma once

#include <QString>

// The settings the preferences edit, which the main program and the helper both follow.
namespace PreferenceKeys {
inline const QString TIME_DISPLAY_HOURS = QStringLiteral("timeDisplayHours");
inline const QString DAY_MONTH_ORDER = QStringLiteral("dayMonthOrder");
inline const QString NEW_EVENT_HOT_KEY_CODE = QStringLiteral("newEventHotKey_code");
inline const QString NEW_EVENT_HOT_KEY_FLAGS = QStringLiteral("newEventHotKey_flags");
inline const QString RUN_HELPER_APPLICATION = QStringLiteral("runHelperApplication");
// The user's e-mail addresses, by which an invitation's attendee is known as the user.
inline const QString MY_ADDRESSES = QStringLiteral("myAddresses");
} // namespace PreferenceKeys
