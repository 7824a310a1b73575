#include "EventPlacement.h"

#include "app/InternalInconsistency.h"
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

void EventPlacement::retireBefore(double left) {
    while (!m_byRight.empty() && m_byRight.top().first <= left) {
        m_column.erase(m_byRight.top().second);
        m_byRight.pop();
    }
}

double EventPlacement::place(const QRectF& rect) {
    retireBefore(rect.x() - EVENT_HORIZONTAL_MARGIN);
    const double height = rect.height();
    double y = rect.y();
    for (;;) {
        if (overlapsFixed(rect, y)) {
            y = m_fixed->bottom() + EVENT_MARGIN_TO_TIMELINE;
            continue;
        }
        // The first interval reaching below y, then all that begin above y + height.
        auto it = m_column.upper_bound(y);
        if (it != m_column.begin() && std::prev(it)->second.bottom > y)
            --it;
        const Placed* earliest = nullptr;
        for (; it != m_column.end() && it->first < y + height; ++it)
            if (it->second.bottom > y && (!earliest || it->second.order < earliest->order))
                earliest = &it->second;
        if (!earliest)
            break;
        y = earliest->bottom + EVENT_MARGIN_TO_TIMELINE;
    }
    const bool inserted = m_column.emplace(y, Placed{y + height, rect.x() + rect.width(), m_order++}).second;
    VL_ASSERT(inserted, "placed events in reach do not overlap");
    m_byRight.emplace(rect.x() + rect.width(), y);
    return y;
}
