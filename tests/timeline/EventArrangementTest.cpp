#include "FixedCanvas.h"
#include "TimelineEventTestSupport.h"
#include "timeline/EventArranger.h"
#include "timeline/EventPainter.h"

#include <gtest/gtest.h>

namespace {

const CalendarDate START = at(2026, 11, 30, 9, 0);
constexpr double FIVE_DAYS = 432000;
constexpr double SECONDS_PER_PIXEL = FIVE_DAYS / 1000; // linear scale on a 1020-pixel view

class EventArrangementTest : public ::testing::Test {
protected:
    EventArrangementTest() {
        painter.setDateFormatter(canvas.dateFormatter());
        painter.setEventDescription(canvas.eventDescription());
    }

    void arrange(const EventList& events, const EventStyles& styles = {},
                 const std::shared_ptr<CalEvent>& fixed = {}) {
        arranger.arrangeEvents(events, styles, canvas, QSizeF(1020, 600), fixed);
    }
    QRectF rectOf(const std::shared_ptr<CalEvent>& event) const {
        return arranger.cachedArrangedEvents().value(EventKey(*event))->boundingRect();
    }
    // An event from `startPixel` to `endPixel` on the line (x = 10 + pixel).
    static std::shared_ptr<CalEvent> across(const QString& title, double startPixel, double endPixel) {
        return testEvent(title, START.addingSeconds(startPixel * SECONDS_PER_PIXEL),
                         START.addingSeconds(endPixel * SECONDS_PER_PIXEL));
    }

    FixedCanvas canvas{START, FIVE_DAYS, 1020, false, 600};
    EventPainter painter;
    EventArranger arranger{painter};
};

TEST_F(EventArrangementTest, EventsWithTheSameStartStackWithTenPixelsBetween) {
    const auto first = across("First", 100, 101), second = across("Second", 100, 101);
    arrange({first, second});
    const QRectF a = rectOf(first), b = rectOf(second);
    EXPECT_EQ(a.topLeft(), QPointF(110, 62));
    const double labelHeight = arranger.cachedArrangedEvents().value(EventKey(*first))->labelSize().height();
    EXPECT_DOUBLE_EQ(a.height(), 10 + labelHeight);
    EXPECT_DOUBLE_EQ(b.y(), 62 + a.height() + 10);
    // The rectangle is as wide as the label when the bar is shorter.
    EXPECT_GT(a.width(), 40);
    EXPECT_LE(a.width(), 250);
}

TEST_F(EventArrangementTest, TwentyPixelsApartEventsShareARow) {
    // Bars of 300 pixels, longer than their labels, so the rectangles end where the bars end.
    for (auto [gap, pushed] : {std::pair{15.0, true}, {19.5, true}, {20.0, false}, {40.0, false}}) {
        const auto left = across("L", 0, 300), right = across("R", 300 + gap, 600 + gap);
        arrange({right, left});
        EXPECT_DOUBLE_EQ(rectOf(left).right(), 310);
        EXPECT_EQ(rectOf(right).y() > 62, pushed) << gap;
    }
}

TEST_F(EventArrangementTest, BarsAndHotSpots) {
    const auto instant = across("Instant", 300, 300);
    const auto early = testEvent("Early", START.addingSeconds(-7200), START.addingSeconds(36000));
    const auto wide = across("Wide", 500, 600);
    arrange({instant, early, wide});
    const auto& cache = arranger.cachedArrangedEvents();
    const auto& tiny = *cache.value(EventKey(*instant));
    EXPECT_DOUBLE_EQ(tiny.timeBarRect().width(), 3.0);
    EXPECT_DOUBLE_EQ(tiny.startResizeRect().width(), 1.5);
    EXPECT_DOUBLE_EQ(tiny.endResizeRect().x(), 311.5);
    EXPECT_DOUBLE_EQ(cache.value(EventKey(*early))->boundingRect().x(), 10);
    const auto& long_ = *cache.value(EventKey(*wide));
    EXPECT_EQ(long_.startResizeRect(),
              QRectF(510, long_.boundingRect().y(), 3, long_.boundingRect().height()));
    EXPECT_EQ(long_.endResizeRect(), QRectF(607, long_.boundingRect().y(), 3, long_.boundingRect().height()));
}

TEST_F(EventArrangementTest, TheViewGrowsWithTheRowsAndNeverShrinksBelowTheVisibleArea) {
    arrange({});
    EXPECT_EQ(canvas.boundsSize(), QSizeF(1020, 600));
    EventList stack;
    for (int i = 0; i < 30; ++i)
        stack.append(across(QStringLiteral("E%1").arg(i), 100, 110));
    arrange(stack);
    EXPECT_DOUBLE_EQ(canvas.boundsSize().height(), arranger.bottom());
    EXPECT_GT(arranger.bottom(), 600);
    const QRectF last = rectOf(stack.back());
    EXPECT_DOUBLE_EQ(arranger.bottom(), last.bottom() + 10);
    arrange({});
    EXPECT_EQ(canvas.boundsSize(), QSizeF(1020, 600));
}

TEST_F(EventArrangementTest, AFixedEventKeepsItsHeightAndTheOthersMoveAroundIt) {
    const auto before = across("Before", 90, 150), dragged = across("Dragged", 100, 160),
               after = across("After", 600, 700);
    arrange({before, dragged, after});
    arranger.cachedArrangedEvents().value(EventKey(*dragged))->setBoundingRect(QRectF(110, 150, 60, 40));
    arrange({before, dragged, after}, {}, dragged);
    EXPECT_DOUBLE_EQ(rectOf(dragged).y(), 150);
    EXPECT_EQ(arranger.arrangedEvents().front()->event(), dragged);
    // "Before" starts earlier and would sit at 62, where it does not touch the fixed one; it stays.
    EXPECT_DOUBLE_EQ(rectOf(before).y(), 62);
    arranger.cachedArrangedEvents().value(EventKey(*dragged))->setBoundingRect(QRectF(110, 70, 60, 40));
    arrange({before, dragged, after}, {}, dragged);
    EXPECT_DOUBLE_EQ(rectOf(dragged).y(), 70);
    EXPECT_DOUBLE_EQ(rectOf(before).y(), rectOf(dragged).bottom() + 10);
    EXPECT_DOUBLE_EQ(rectOf(after).y(), 62);
}

TEST_F(EventArrangementTest, LabelsAreRebuiltOnlyForANewRecordOrASelectionChange) {
    const auto event = across("Lunch", 100, 110);
    arrange({event});
    const auto arranged = arranger.cachedArrangedEvents().value(EventKey(*event));
    const TextLabel* label = &arranged->textLabel();
    arrange({event});
    EXPECT_EQ(&arranged->textLabel(), label);
    EXPECT_EQ(arranger.cachedArrangedEvents().value(EventKey(*event)), arranged);

    arrange({event}, {{EventKey(*event), SELECTED_EVENT_STYLE}});
    EXPECT_NE(&arranged->textLabel(), label);
    EXPECT_TRUE(arranged->textLabel().attributedString().contains(u"Home"));

    const auto reloaded = event->copy();
    arrange({reloaded});
    EXPECT_NE(arranger.cachedArrangedEvents().value(EventKey(*event)), arranged);
}

TEST_F(EventArrangementTest, RestylingKeepsBoundsAndReportsMissingArrangements) {
    const auto event = across("Lunch", 100, 110);
    arrange({event});
    const QRectF bounds = rectOf(event);
    arranger.setEventStyles({{EventKey(*event), DIMMED_EVENT_STYLE}});
    const auto arranged = arranger.cachedArrangedEvents().value(EventKey(*event));
    EXPECT_TRUE(arranged->isDimmed());
    EXPECT_EQ(arranged->boundingRect(), bounds);
    arranger.setEventStyles({});
    EXPECT_FALSE(arranged->style().has_value());
    arranger.discardCachedArrangedEvents();
    EXPECT_EQ(failureText([&] { arranger.setEventStyles({}); }), "Found arrangedEvent");
}

TEST(EventStylesTest, SelectionBeatsRolloverBeatsDimming) {
    const auto a = testEvent("a", at(2026, 12, 1), at(2026, 12, 1, 1)),
               b = testEvent("b", at(2026, 12, 1), at(2026, 12, 1, 1)),
               c = testEvent("c", at(2026, 12, 1), at(2026, 12, 1, 1)),
               d = testEvent("d", at(2026, 12, 1), at(2026, 12, 1, 1));
    EXPECT_TRUE(updateEventStylesWithVisibleEvents({a, b, c}, {}).isEmpty());
    const EventStyles styles = updateEventStylesWithVisibleEvents(
        {a, b, c, d}, {.selectedEvent = b, .trackedEvent = c, .focusedEvents = {a}});
    EXPECT_FALSE(styles.contains(EventKey(*a)));
    EXPECT_EQ(styles.value(EventKey(*b)), SELECTED_EVENT_STYLE);
    EXPECT_EQ(styles.value(EventKey(*c)), ROLLOVER_EVENT_STYLE);
    EXPECT_EQ(styles.value(EventKey(*d)), DIMMED_EVENT_STYLE);
}

} // namespace
