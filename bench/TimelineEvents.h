#pragma once

#include "dates/CalendarDate.h"
#include "store/CalendarStore.h"

// `count` events of 15 minutes to 4 hours at random (but always the same) times in the five days from
// `start`, with a few typical titles, in three calendars.
EventList generateTimelineEvents(int count, const CalendarDate& start);
