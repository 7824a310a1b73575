#include "timeline/EventPainter.h"
#include "FixedCanvas.h"
#include "TimelineEventTestSupport.h"
#include "records/CalAlarm.h"
#include "timeline/eventColors.h"
#include "timeline/timelineSettings.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

class EventPainterTest : public ::testing::Test {
protected:
    EventPainterTest() {
        painter.setDateFormatter(canvas.dateFormatter());
        painter.setEventDescription(canvas.eventDescription());
    }
    FixedCanvas canvas{at(2026, 12, 7), 432000, 1280, true};
    EventPainter painter;
    std::shared_ptr<CalEvent> lunch = testEvent("Lunch", at(2026, 12, 8, 12, 30), at(2026, 12, 8, 13, 30));
};

TEST_F(EventPainterTest, PlainLabelIsTitleThenTime) {
    EXPECT_EQ(painter.labelForEvent(*lunch), QStringLiteral("Lunch\n12:30–1:30 PM"));
    canvas.dateFormatter()->setTimeModeHours(24);
    EXPECT_EQ(painter.labelForEvent(*lunch), QStringLiteral("Lunch\n12:30–13:30"));
    // The title line in the larger type makes the label taller than two lines of the plain size.
    const auto plain = painter.textLabelWithEvent(*lunch, false),
               selected = painter.textLabelWithEvent(*lunch, true);
    EXPECT_GT(plain->boundingSize().height(), 2 * QFontMetricsF(timelineFont(10)).height());
    EXPECT_GT(selected->boundingSize().height(), plain->boundingSize().height());
}

TEST_F(EventPainterTest, SelectedLabelListsWhatTheEventHasInOrder) {
    EXPECT_EQ(painter.labelForSelectedEvent(*lunch), QStringLiteral("Lunch\nTue Dec 8 12:30–1:30 PM\nHome"));
    lunch->location = QStringLiteral("Canteen");
    lunch->attendees = {CalAttendee(QStringLiteral("Ann")), CalAttendee({}, QStringLiteral("bo@example.org")),
                        CalAttendee(QStringLiteral("Cy"))};
    lunch->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Weekly);
    for (double trigger : {-900.0, 0.0}) {
        auto alarm = CalAlarm::alarm();
        alarm->setRelativeTrigger(trigger);
        lunch->alarms.append(alarm);
    }
    lunch->notes = QStringLiteral("Bring the plans");
    EXPECT_EQ(painter.labelForSelectedEvent(*lunch),
              QStringLiteral("Lunch\nTue Dec 8 12:30–1:30 PM\nHome\nCanteen\nAnn, bo@example.org and "
                             "Cy\nRepeats every 1 weeks\n"
                             "Alert 15 minutes before\nAlert at time of event\nBring the plans"));
    EXPECT_EQ(painter.tooltipForEvent(*lunch), QStringLiteral("Bring the plans"));
}

TEST_F(EventPainterTest, LongTitlesWrapWithinTheLabelsContainer) {
    lunch->title = QStringLiteral("Quarterly planning with the regional teams ").repeated(6);
    const auto label = painter.textLabelWithEvent(*lunch, false);
    EXPECT_LE(label->boundingSize().width(), 250);
    EXPECT_GT(label->boundingSize().width(), 200);
    EXPECT_GT(label->boundingSize().height(), 4 * QFontMetricsF(timelineFont(12)).height());
    // Text beyond the container's height is left out rather than drawn outside it.
    lunch->title = QStringLiteral("word ").repeated(2000);
    EXPECT_LE(painter.textLabelWithEvent(*lunch, true)->boundingSize().height(), 500);
}

TEST(EventColorsTest, FillsAreMutedAndNeverDark) {
    struct Case {
        QColor color;
        double saturation, brightness, darkBrightness;
    };
    for (const Case& c : {Case{Qt::red, 0.7, 1.0, 0.7}, Case{Qt::black, 0.0, 0.7, 0.4},
                          Case{QColor::fromHsvF(0.6, 0.3, 0.8), 0.3, 0.8, 0.5}}) {
        const QColor fill = createFillColor(c.color), dark = createDarkFillColor(c.color);
        EXPECT_NEAR(fill.hsvSaturationF(), c.saturation, 1e-3) << c.color.name().toStdString();
        EXPECT_NEAR(fill.valueF(), c.brightness, 1e-3) << c.color.name().toStdString();
        EXPECT_NEAR(dark.hsvSaturationF(), c.saturation, 1e-3) << c.color.name().toStdString();
        EXPECT_NEAR(dark.valueF(), c.darkBrightness, 1e-3) << c.color.name().toStdString();
    }
    QColor translucent = Qt::blue;
    translucent.setAlphaF(0.5);
    EXPECT_NEAR(createFillColor(translucent).alphaF(), 0.5, 1e-3);
}

} // namespace
