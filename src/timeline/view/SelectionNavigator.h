#pragma once

#include "store/CalendarStore.h"

#include <QDateTime>
#include <QHash>
#include <QList>

#include <memory>
#include <optional>

class ArrangedEvent;

// Where the keys move the timeline's selection: to the previous or next event in time (by start, then
// by row), or to the event of the row above or below that starts nearest to the selected one. Rows are
// the levels of the arrangement: an event lies one row below the lowest of the events above it that it
// touches sideways, as the arranger stacks them, so that rows stay rows where some labels are taller.
class SelectionNavigator {
public:
    enum Direction { Previous, Next, RowAbove, RowBelow };

    SelectionNavigator(const EventList& events, const QList<std::shared_ptr<ArrangedEvent>>& arranged);

    // None when no event lies that way. Without a selected event among the events (or, across rows,
    // among the arranged ones), the event nearest to `middle`.
    std::shared_ptr<CalEvent> step(const std::shared_ptr<CalEvent>& selected, Direction direction,
                                   const QDateTime& middle) const;

private:
    // One that spans `date`, else the one whose start or end is closest; the earliest of equals.
    std::shared_ptr<CalEvent> nearest(const QDateTime& date) const;
    std::optional<int> row(const std::shared_ptr<CalEvent>& event) const;
    std::shared_ptr<CalEvent> nearestInRow(int wanted, const QDateTime& start) const;

    EventList m_inOrder;
    QHash<const CalEvent*, int> m_rows;
};
