#pragma once

#include "CalEvent.h"

// A new event of the user's own with a uid of its own and the dates and editable fields of `event` (its
// alarms copied): one event, without the rule of its series, an invitation's people or the file it was
// read from.
std::shared_ptr<CalEvent> singleEventCopy(const CalEvent& event);
