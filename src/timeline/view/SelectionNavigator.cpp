#include "SelectionNavigator.h"

#include "store/EventKey.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/timelineSettings.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

// The arranger keeps this much room between events side by side; closer, they share no row.
bool touchesSideways(const QRectF& a, const QRectF& b) {
    return a.left() - EVENT_HORIZONTAL_MARGIN < b.right() && b.left() < a.right() + EVENT_HORIZONTAL_MARGIN;
}

qint64 distance(const CalEvent& event, const QDateTime& date) {
    if (event.startDate <= date && date <= event.endDate)
        return 0;
    return std::min(std::abs(event.startDate.msecsTo(date)), std::abs(event.endDate.msecsTo(date)));
}

} // namespace

SelectionNavigator::SelectionNavigator(const EventList& events,
                                       const QList<std::shared_ptr<ArrangedEvent>>& arranged) {
    std::vector<QRectF> rects;
    for (const auto& each : arranged)
        rects.push_back(each->boundingRect());
    std::vector<size_t> order(rects.size());
    std::iota(order.begin(), order.end(), 0);

    // Who touches whom sideways, found along the line from left to right rather than by comparing every
    // pair: each key press builds this anew.
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return rects[a].left() < rects[b].left(); });
    std::vector<std::vector<size_t>> touching(rects.size());
    for (auto a = order.begin(); a != order.end(); ++a) {
        for (auto b = a + 1;
             b != order.end() && rects[*b].left() < rects[*a].right() + EVENT_HORIZONTAL_MARGIN; ++b) {
            if (touchesSideways(rects[*a], rects[*b])) {
                touching[*a].push_back(*b);
                touching[*b].push_back(*a);
            }
        }
    }

    // From the top down, so that the rows of the events above are known.
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return rects[a].top() < rects[b].top(); });
    std::vector<int> rows(rects.size(), 0);
    for (const size_t i : order) {
        for (const size_t other : touching[i])
            if (rects[other].top() < rects[i].top())
                rows[i] = std::max(rows[i], rows[other] + 1);
        m_rows.insert(arranged[qsizetype(i)]->event().get(), rows[i]);
    }
    m_inOrder = events;
    std::stable_sort(m_inOrder.begin(), m_inOrder.end(), [this](const auto& a, const auto& b) {
        if (a->startDate != b->startDate)
            return a->startDate < b->startDate;
        return m_rows.value(a.get()) < m_rows.value(b.get());
    });
}

std::optional<int> SelectionNavigator::row(const std::shared_ptr<CalEvent>& event) const {
    const auto found = m_rows.constFind(event.get());
    return found == m_rows.cend() ? std::nullopt : std::optional<int>(*found);
}

std::shared_ptr<CalEvent> SelectionNavigator::step(const std::shared_ptr<CalEvent>& selected,
                                                   Direction direction, const QDateTime& middle) const {
    if (!selected)
        return nearest(middle);
    // By key: while the editor has it, the timeline shows a copy of the selected event.
    const EventKey key(*selected);
    const auto at = std::find_if(m_inOrder.begin(), m_inOrder.end(),
                                 [&](const auto& event) { return EventKey(*event) == key; });
    if (at == m_inOrder.end())
        return nearest(middle);
    switch (direction) {
    case Previous:
        return at == m_inOrder.begin() ? nullptr : *(at - 1);
    case Next:
        return at + 1 == m_inOrder.end() ? nullptr : *(at + 1);
    case RowAbove:
    case RowBelow:
        break;
    }
    const std::optional<int> selectedRow = row(*at);
    if (!selectedRow)
        return nearest(middle);
    return nearestInRow(*selectedRow + (direction == RowAbove ? -1 : 1), (*at)->startDate);
}

std::shared_ptr<CalEvent> SelectionNavigator::nearest(const QDateTime& date) const {
    const auto found =
        std::min_element(m_inOrder.begin(), m_inOrder.end(), [&](const auto& a, const auto& b) {
            return distance(*a, date) < distance(*b, date);
        });
    return found == m_inOrder.end() ? nullptr : *found;
}

std::shared_ptr<CalEvent> SelectionNavigator::nearestInRow(int wanted, const QDateTime& start) const {
    std::shared_ptr<CalEvent> best;
    for (const auto& event : m_inOrder)
        if (row(event) == wanted &&
            (!best || std::abs(event->startDate.msecsTo(start)) < std::abs(best->startDate.msecsTo(start))))
            best = event;
    return best;
}
