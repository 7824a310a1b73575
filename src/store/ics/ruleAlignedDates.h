#pragma once

#include "records/CalEvent.h"

#include <QDateTime>

#include <optional>
#include <utility>

// The start and end of a repeating event moved to the first occurrence its rule gives on or after its
// start, the length kept (in days for an all-day event): programs disagree on a start the rule does not
// give, so a series should begin on one. None when the start is already one, or the rule gives none.
std::optional<std::pair<QDateTime, QDateTime>> ruleAlignedDates(const CalEvent& event);
