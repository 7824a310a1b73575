#include "SelectionNavigator.h"

#include "store/EventKey.h"
#include "timeline/ArrangedEvent.h"
#include "timeline/timelineSettings.h"

#include <algorithm>
#include <cstdlib>

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
    QList<std::shared_ptr<ArrangedEvent>> topDown = arranged;
    std::stable_sort(topDown.begin(), topDown.end(), [](const auto& a, const auto& b) {
        return a->boundingRect().top() < b->boundingRect().top();
    });
    for (qsizetype i = 0; i < topDown.size(); ++i) {
        const QRectF rect = topDown[i]->boundingRect();
        int row = 0;
        for (qsizetype above = 0; above < i; ++above) {
            const QRectF other = topDown[above]->boundingRect();
            if (other.top() < rect.top() && touchesSideways(other, rect))
                row = std::max(row, m_rows.value(topDown[above]->event().get()) + 1);
        }
        m_rows.insert(topDown[i]->event().get(), row);
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
