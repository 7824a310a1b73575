#pragma once

#include <QRectF>

#include <map>
#include <optional>
#include <queue>
#include <set>
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
//
// In a deep column the scan still steps down one rectangle at a time. It never passes over a rectangle
// with room for the new one beneath it (such a rectangle ends every run it is in), and stops at the first
// one it reaches, so unless the fixed rectangle is in reach the rectangle goes straight below the first
// rectangle in its way that has room beneath; the rectangles with any room beneath are indexed for that.
// This holds while every rectangle is taller than the margin, which labels always are.
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
    using Column = std::map<double, Placed>; // by top y

    bool overlapsFixed(const QRectF& rect, double y) const;
    bool reachesFixed(const QRectF& rect) const;
    // The first interval reaching below y, or the end.
    Column::const_iterator firstBelow(double y) const;
    // The scan as written, one overlapped rectangle at a time.
    double scan(const QRectF& rect) const;
    // Straight below the first rectangle in the way with room beneath.
    double dropIntoGap(const QRectF& rect) const;
    void insert(double y, const QRectF& rect);
    void erase(double top);
    void updateRoomBeneath(Column::const_iterator it);
    // Forgets rectangles that no later rectangle starting at `left` or further right can touch.
    void retireBefore(double left);

    std::optional<QRectF> m_fixed;
    Column m_column;
    std::set<double> m_roomBeneath; // tops of the rectangles with a gap below them, or none below
    std::priority_queue<std::pair<double, double>, std::vector<std::pair<double, double>>, std::greater<>>
        m_byRight; // (right edge, top y)
    int m_order = 0;
    bool m_tallerThanMargin = true;
};
