#pragma once

#include "CalendarStore.h"

// One record of the series `uid`, wherever in time it lies; nothing when the store has none. Looks near
// now first, so that a repeating event is not expanded over thousands of years.
std::shared_ptr<CalEvent> anyRecordOfSeries(CalendarStore& store, const QString& uid);
