#include "timeline/EventPlacement.h"
#include "timeline/rectUtilities.h"
#include "timeline/timelineSettings.h"

#include <gtest/gtest.h>

#include <QList>

#include <algorithm>
#include <optional>
#include <random>

namespace {

// The first fit as written: scan the placed rectangles from the first; on the first overlap move below
// it and scan again from the first.
QList<double> plainFirstFit(const std::optional<QRectF>& fixed, const QList<QRectF>& rects) {
    QList<QRectF> placed;
    if (fixed)
        placed.append(*fixed);
    QList<double> tops;
    for (QRectF rect : rects) {
        for (qsizetype i = 0; i < placed.size(); ++i) {
            if (areRectsOverlapping(expandRect(rect, EVENT_HORIZONTAL_MARGIN, 0), placed[i])) {
                rect.moveTop(placed[i].y() + placed[i].height() + EVENT_MARGIN_TO_TIMELINE);
                i = -1;
            }
        }
        placed.append(rect);
        tops.append(rect.y());
    }
    return tops;
}

QList<double> fastFirstFit(const std::optional<QRectF>& fixed, const QList<QRectF>& rects) {
    EventPlacement placement;
    if (fixed)
        placement.placeFixed(*fixed);
    QList<double> tops;
    for (const QRectF& rect : rects)
        tops.append(placement.place(rect));
    return tops;
}

TEST(EventPlacementTest, GivesThePlainFirstFitsPositionsOnRandomInput) {
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 400; ++trial) {
        // Narrow and wide lines, few and many events, labels of a few typical heights and odd fractions.
        const double lineEnd = std::uniform_real_distribution<double>(60, 1300)(random);
        const int count = std::uniform_int_distribution<int>(1, trial % 4 == 0 ? 600 : 60)(random);
        std::uniform_real_distribution<double> x(10, lineEnd), width(3, 260), fraction(0, 1);
        // Rectangles no taller than the margin take another path: only some trials have them.
        const double heights[] = {trial % 2 ? 10 : 10.5, 27, 29.5, 37, 46.25, 61};
        QList<double> starts;
        for (int i = 0; i < count; ++i)
            starts.append(fraction(random) < 0.2 && !starts.isEmpty() ? starts.back() : x(random));
        std::sort(starts.begin(), starts.end());
        QList<QRectF> rects;
        for (double start : starts)
            rects.append(QRectF(start, 62, fraction(random) < 0.1 ? 3.0 : width(random),
                                heights[std::uniform_int_distribution<int>(0, 5)(random)]));
        std::optional<QRectF> fixed;
        if (trial % 3 == 0)
            fixed = QRectF(x(random), std::uniform_real_distribution<double>(62, 400)(random), width(random),
                           heights[trial % 6]);
        ASSERT_EQ(fastFirstFit(fixed, rects), plainFirstFit(fixed, rects)) << "trial " << trial;
    }
}

} // namespace
