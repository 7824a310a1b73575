#pragma once

#include <QRectF>

#include <map>
#include <optional>
#include <queue>
#include <utility>
#include <vector>

// The arranger's first fit: each new rectangle starts at its given y and, while it overlaps an earlier
// rectangle (widened by EVENT_HORIZONTAL_MARGIN on both sides, strictly), moves to 10 pixels below the
// earliest-placed one it overlaps, and the scan starts again.
//
// Scanning every placed rectangle at every step is cubic in the worst case. Since rectangles after the
// fixed one come in order of their left edge, a placed rectangle whose right edge lies at least the
// margin left of the new one's left edge can never be touched again, and the ones still in reach
// overlap each other horizontally, so they never overlap vertically: they form a column of disjoint
// intervals, kept sorted by y, in which the rectangles overlapping a position are one short run. This
// gives exactly the positions of the plain scan.
class EventPlacement {
public:
    // The fixed rectangle comes first and stays where it is.
    void placeFixed(const QRectF& rect);
    // The y at which `rect` comes to rest. Rectangles must come in order of their left edge.
    double place(const QRectF& rect);

private:
    struct Placed {
        double bottom;
        double right;
        int order;
    };
    bool overlapsFixed(const QRectF& rect, double y) const;
    // Forgets rectangles that no later rectangle starting at `left` or further right can touch.
    void retireBefore(double left);

    std::optional<QRectF> m_fixed;
    std::map<double, Placed> m_column; // by top y
    std::priority_queue<std::pair<double, double>, std::vector<std::pair<double, double>>, std::greater<>>
        m_byRight; // (right edge, top y)
    int m_order = 0;
};
