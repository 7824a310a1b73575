#pragma once

#include "CalendarDate.h"

#include <QString>

#include <optional>

// Reads a clock time such as "12:00", "13:00" or "9:30 pm" and returns today at that time, or nothing
// when the text is no clock time.
std::optional<CalendarDate> createDate(const QString& text);

// 12 or 24: the clock of the default locale's short time format.
int defaultSystemTimeModeHours();
// 1 (month before day) in the United States, 0 everywhere else.
int defaultDayMonthOrder();
// The locale in which entry-language text is written so that it can be read again.
QString requiredLocale();
// Seconds of a clock that never goes backwards.
double doublePrecisionSeconds();
