#include "CalendarSortOrder.h"

#include <QCollator>

#include <algorithm>

CalendarList CalendarSortOrder::sorted(CalendarList calendars) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(calendars.begin(), calendars.end(),
                     [&](const auto& a, const auto& b) { return collator.compare(a->title, b->title) < 0; });
    return calendars;
}
