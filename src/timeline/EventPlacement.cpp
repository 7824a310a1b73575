#include "EventPlacement.h"

#include "base/InternalInconsistency.h"
#include "timelineSettings.h"

#include <iterator>

void EventPlacement::placeFixed(const QRectF& rect) {
    VL_ASSERT(!m_fixed && m_column.empty(), "arrangedEvents should be empty when adding fixed y event.");
    m_fixed = rect;
}

bool EventPlacement::overlapsFixed(const QRectF& rect, double y) const {
    if (!m_fixed)
        return false;
    const double left = rect.x() - EVENT_HORIZONTAL_MARGIN;
    const double right = left + (rect.width() + 2 * EVENT_HORIZONTAL_MARGIN);
    return left < m_fixed->right() && m_fixed->left() < right && m_fixed->top() < y + rect.height() &&
           y < m_fixed->bottom();
}

bool EventPlacement::reachesFixed(const QRectF& rect) const {
    return m_fixed && rect.x() - EVENT_HORIZONTAL_MARGIN < m_fixed->right() &&
           m_fixed->left() < rect.right() + EVENT_HORIZONTAL_MARGIN;
}

void EventPlacement::retireBefore(double left) {
    while (!m_byRight.empty() && m_byRight.top().first <= left) {
        erase(m_byRight.top().second);
        m_byRight.pop();
    }
}

EventPlacement::Column::const_iterator EventPlacement::firstBelow(double y) const {
    auto it = m_column.upper_bound(y);
    if (it != m_column.begin() && std::prev(it)->second.bottom > y)
        --it;
    return it;
}

double EventPlacement::scan(const QRectF& rect) const {
    const double height = rect.height();
    double y = rect.y();
    for (;;) {
        if (overlapsFixed(rect, y)) {
            y = m_fixed->bottom() + EVENT_MARGIN_TO_TIMELINE;
            continue;
        }
        const Placed* earliest = nullptr;
        for (auto it = firstBelow(y); it != m_column.end() && it->first < y + height; ++it)
            if (it->second.bottom > y && (!earliest || it->second.order < earliest->order))
                earliest = &it->second;
        if (!earliest)
            return y;
        y = earliest->bottom + EVENT_MARGIN_TO_TIMELINE;
    }
}

double EventPlacement::dropIntoGap(const QRectF& rect) const {
    const double height = rect.height();
    const double y = rect.y();
    const auto inTheWay = firstBelow(y);
    if (inTheWay == m_column.end() || !(inTheWay->first < y + height))
        return y;
    for (auto top = m_roomBeneath.lower_bound(inTheWay->first);; ++top) {
        VL_ASSERT(top != m_roomBeneath.end(), "the lowest placed rectangle has room beneath");
        const auto it = m_column.find(*top);
        const double below = it->second.bottom + EVENT_MARGIN_TO_TIMELINE;
        const auto next = std::next(it);
        if (next == m_column.end() || !(next->first < below + height))
            return below;
    }
}

void EventPlacement::updateRoomBeneath(Column::const_iterator it) {
    const auto next = std::next(it);
    if (next == m_column.end() || next->first > it->second.bottom + EVENT_MARGIN_TO_TIMELINE)
        m_roomBeneath.insert(it->first);
    else
        m_roomBeneath.erase(it->first);
}

void EventPlacement::insert(double y, const QRectF& rect) {
    const auto [it, inserted] =
        m_column.emplace(y, Placed{y + rect.height(), rect.x() + rect.width(), m_order++});
    VL_ASSERT(inserted, "placed events in reach do not overlap");
    updateRoomBeneath(it);
    if (it != m_column.begin())
        updateRoomBeneath(std::prev(it));
    m_byRight.emplace(rect.x() + rect.width(), y);
}

void EventPlacement::erase(double top) {
    auto it = m_column.find(top);
    const bool hasPrevious = it != m_column.begin();
    const auto previous = hasPrevious ? std::prev(it) : it;
    m_column.erase(it);
    m_roomBeneath.erase(top);
    if (hasPrevious)
        updateRoomBeneath(previous);
}

double EventPlacement::place(const QRectF& rect) {
    retireBefore(rect.x() - EVENT_HORIZONTAL_MARGIN);
    // A rectangle no taller than the margin fits into the margin below another, where the scan can pass
    // over a gap; from then on only the scan gives its positions.
    m_tallerThanMargin = m_tallerThanMargin && rect.height() > EVENT_MARGIN_TO_TIMELINE;
    const double y = reachesFixed(rect) || !m_tallerThanMargin ? scan(rect) : dropIntoGap(rect);
    insert(y, rect);
    return y;
}
