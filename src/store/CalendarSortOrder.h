#pragma once

#include "CalendarStore.h"

// The order in which calendars are listed to the user: by title, as the locale sorts text, without regard
// to letter case; calendars of equal titles keep their order.
class CalendarSortOrder {
public:
    static CalendarList sorted(CalendarList calendars);
};
