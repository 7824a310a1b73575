#include "TimelineViewTestSupport.h"
#include "base/colorContrast.h"
#include "timeline/TimelineColors.h"
#include "timeline/view/InlineEditEventController.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

#include <cmath>
#include <optional>

namespace {

constexpr double HOUR = 3600;
constexpr int HEADER_ROWS = 53; // the label rows and the line

// The sum of how dark the pixels of an area are: more for bolder text.
long ink(const QImage& image, const QRect& area) {
    long sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

class TimelinePaintingTest : public ::testing::Test, public TimelineViewFixture {
protected:
    CalendarDate at(double hours) const { return tomorrow().addingSeconds(hours * HOUR); }
    QImage grabbed() const { return area.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Events at the same time stack into a row each, far more than the window shows; their notes are
    // their tool tips.
    void saveStack(int count) {
        for (int i = 0; i < count; ++i)
            save(u"stacked %1"_s.arg(i), u"home"_s, at(34), 2 * HOUR, false, u"notes %1"_s.arg(i));
    }
    QRect fieldInViewport() const {
        const QLineEdit* field = view->inlineEditEventController().titleField();
        return QRect(field->mapTo(area.viewport(), QPoint(0, 0)), field->size());
    }
};

TEST_F(TimelinePaintingTest, TheLabelRowsStayInSightWhileTheRowsScroll) {
    saveStack(20);
    ASSERT_GT(view->height(), area.viewport()->height());
    // Scrolled so that the third row's bar lies under the label rows.
    QList<double> tops;
    for (const auto& arrangedEvent : view->eventArranger().arrangedEvents())
        tops.append(arrangedEvent->timeBarRect().top());
    std::sort(tops.begin(), tops.end());
    const int scroll = int(tops[2]) - 20;
    const QImage top = grabbed();
    area.verticalScrollBar()->setValue(scroll);
    QCoreApplication::processEvents();
    ASSERT_EQ(view->headerTop(), scroll);
    const QImage scrolled = grabbed();

    EXPECT_EQ(top.copy(0, 0, top.width(), HEADER_ROWS), scrolled.copy(0, 0, top.width(), HEADER_ROWS));
    EXPECT_EQ(top.copy(0, HEADER_ROWS + scroll, top.width(), 200),
              scrolled.copy(0, HEADER_ROWS, top.width(), 200))
        << "the rows moved up with the scroll";
    EXPECT_NE(top.copy(0, HEADER_ROWS, top.width(), 200), scrolled.copy(0, HEADER_ROWS, top.width(), 200));

    // A click on the bar hidden under the header does not find it, nor does a tool tip show for it.
    const QPoint hidden(int(x(at(35))), int(tops[2]) + 4);
    QTest::mouseClick(view, Qt::LeftButton, {}, hidden);
    EXPECT_FALSE(loop.model.selectedEvent());
    const auto askForTip = [this](const QPoint& point) {
        QHelpEvent help(QEvent::ToolTip, point, view->mapToGlobal(point));
        QApplication::sendEvent(view, &help);
        return QToolTip::isVisible();
    };
    EXPECT_FALSE(askForTip(hidden));
    EXPECT_TRUE(askForTip(QPoint(hidden.x(), int(tops[4]) + 4))) << "one shows for a bar in sight";
    QToolTip::hideText();
}

// What the window shows after scrolling, where Qt moves the pixels already drawn and repaints only what
// the view marks: the same as drawing the scrolled view afresh, with the header and the focus frame in
// place and no copies of them left among the rows.
TEST_F(TimelinePaintingTest, AfterScrollingTheWindowShowsWhatAFreshDrawingShows) {
    saveStack(20);
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    const auto onScreen = [this] {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
        // The offscreen screen reads the window's backing store: what was painted, not a new painting.
        const QRect viewport(area.viewport()->mapTo(&area, QPoint(0, 0)), area.viewport()->size());
        return area.screen()
            ->grabWindow(area.winId())
            .toImage()
            .copy(viewport)
            .convertToFormat(QImage::Format_RGB32);
    };
    for (const bool focused : {false, true}) {
        if (focused)
            view->setFocus();
        else
            view->clearFocus(); // which it has as the one control of the window
        ASSERT_EQ(view->hasFocus(), focused);
        area.verticalScrollBar()->setValue(0);
        onScreen();
        for (const int scroll : {30, 75, 20}) {
            area.verticalScrollBar()->setValue(scroll);
            EXPECT_EQ(onScreen(), grabbed()) << "scrolled to " << scroll << (focused ? " with focus" : "");
        }
    }
}

TEST_F(TimelinePaintingTest, TheInlineTitleFieldStaysInsideTheWindowAtBothEdges) {
    InlineEditEventController& editor = view->inlineEditEventController();
    const QRect window = area.viewport()->rect();

    save(u"late"_s, u"home"_s, at(5 * 24 - 1.5), HOUR);
    editor.setEvent(modelled(u"late"_s));
    ASSERT_TRUE(editor.isActive());
    EXPECT_TRUE(window.contains(fieldInViewport())) << "moved left at the right edge";
    EXPECT_EQ(fieldInViewport().width(), InlineEditEventController::EVENT_TITLE_TEXT_FIELD_WIDTH);
    EXPECT_LT(fieldInViewport().left(), arranged(u"late"_s)->timeBarRect().left());

    save(u"early"_s, u"home"_s, at(-6), 10 * HOUR);
    editor.setEvent(modelled(u"early"_s));
    ASSERT_LT(modelled(u"early"_s)->startDate, view->startDate().toQDateTime());
    EXPECT_TRUE(window.contains(fieldInViewport())) << "moved right at the left edge";

    area.resize(150, 600);
    QCoreApplication::processEvents();
    layOut();
    ASSERT_TRUE(editor.isActive());
    EXPECT_TRUE(area.viewport()->rect().contains(fieldInViewport())) << "narrowed in a narrow window";
    EXPECT_LT(fieldInViewport().width(), InlineEditEventController::EVENT_TITLE_TEXT_FIELD_WIDTH);

    // Scrolled away, the field stays below the label rows.
    area.resize(1040, 300);
    saveStack(12);
    editor.setEvent(modelled(u"early"_s));
    area.verticalScrollBar()->setValue(200);
    QCoreApplication::processEvents();
    EXPECT_GE(fieldInViewport().top(), HEADER_ROWS);
    EXPECT_TRUE(area.viewport()->rect().contains(fieldInViewport()));
}

TEST_F(TimelinePaintingTest, AtRatioTwoLinesAreTwoDevicePixelsWideAndSharp) {
    // A month boundary that falls between pixels.
    controller->setStartDate(CalendarDate::fromComponents(2026, 12, 29, 7, 9, 7));
    layOut();
    QImage image(area.viewport()->size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    area.viewport()->render(&image);

    // The line along the top of the rows.
    EXPECT_LT(qGray(image.pixel(1000, 104)), 40);
    EXPECT_LT(qGray(image.pixel(1000, 105)), 40);
    EXPECT_GT(qGray(image.pixel(1000, 103)), 220);
    EXPECT_GT(qGray(image.pixel(1000, 106)), 220);

    // A boundary a little right of a whole pixel: aligned to whole view pixels, the line would sit more
    // than half a device pixel off.
    const double boundary = 2 * x(CalendarDate::fromComponents(2027, 1, 1));
    const double fraction = boundary / 2 - std::floor(boundary / 2);
    ASSERT_TRUE(fraction > 0.05 && fraction < 0.2) << fraction;
    int dark = 0;
    double darkColumns = 0;
    for (int column = int(boundary) - 5; column <= int(boundary) + 5; ++column) {
        const int gray = qGray(image.pixel(column, 600));
        EXPECT_TRUE(gray < 40 || gray > 220) << "no grey from scaling, column " << column << ": " << gray;
        if (gray < 40) {
            ++dark;
            darkColumns += column + 0.5;
        }
    }
    ASSERT_EQ(dark, 2);
    EXPECT_LT(std::abs(darkColumns / dark - boundary), 0.5);
}

TEST_F(TimelinePaintingTest, TodaysColumnIsTintedAndItsDayLabelBolder) {
    view->setClock([this] { return at(24 + 6); });
    const QImage second = grabbed();
    view->setClock([this] { return at(3 * 24 + 6); });
    const QImage fourth = grabbed();

    const auto ground = [](const QImage& image, double pixelX) { return image.pixel(int(pixelX), 560); };
    const double secondNoon = x(at(24 + 12)), thirdNoon = x(at(2 * 24 + 12)), fourthNoon = x(at(3 * 24 + 12));
    EXPECT_LT(qBlue(ground(second, secondNoon)) + 10, qBlue(ground(fourth, secondNoon))) << "tinted yellow";
    EXPECT_LT(qBlue(ground(fourth, fourthNoon)) + 10, qBlue(ground(second, fourthNoon)));
    EXPECT_EQ(ground(second, thirdNoon), ground(fourth, thirdNoon));

    // The weekday and date row, some 30 pixels either side of noon.
    const auto label = [&](double noon) { return QRect(int(noon) - 40, 29, 80, 12); };
    EXPECT_GT(ink(second, label(secondNoon)), ink(fourth, label(secondNoon)) * 11 / 10);
    EXPECT_GT(ink(fourth, label(fourthNoon)), ink(second, label(fourthNoon)) * 11 / 10);
    EXPECT_EQ(ink(second, label(thirdNoon)), ink(fourth, label(thirdNoon)));
}

// Restores the application's palette when the test ends.
class DarkPalette {
public:
    DarkPalette() : m_saved(QApplication::palette()) {
        QPalette dark;
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(0x2a, 0x2a, 0x2a));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(0xe8, 0xe8, 0xe8));
        dark.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        QApplication::setPalette(dark);
    }
    ~DarkPalette() { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

TEST_F(TimelinePaintingTest, UnderADarkPaletteTheTimelineTurnsDarkWithReadableText) {
    save(u"standup"_s, u"home"_s, at(10), HOUR);
    const QPoint ground(5, 200);
    std::optional<DarkPalette> dark;
    dark.emplace();
    QCoreApplication::processEvents();
    const QImage image = grabbed();
    EXPECT_TRUE(isDarkBackground(image.pixel(ground)));

    // The pixel of a row of text that stands out most from the ground.
    const auto textContrast = [&](const QRect& row) {
        double best = 1;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                best = std::max(best, contrastRatio(image.pixel(x, y), image.pixel(ground)));
        return best;
    };
    const int labelX = int(x(at(36)));
    EXPECT_GE(textContrast(QRect(labelX - 40, 29, 80, 12)), READABLE_CONTRAST) << "a day label";
    const QRectF bar = arranged(u"standup"_s)->timeBarRect();
    // The title's line starts 10 pixels below the bar's top.
    EXPECT_GE(textContrast(QRect(int(bar.left()), int(bar.top()) + 12, 40, 12)), READABLE_CONTRAST)
        << "an event's title";

    view->inlineEditEventController().setEvent(modelled(u"standup"_s));
    const QPalette field = view->inlineEditEventController().titleField()->palette();
    EXPECT_EQ(field.color(QPalette::Base), QColor(image.pixel(ground))) << "the field matches the timeline";
    EXPECT_GE(contrastRatio(field.color(QPalette::Text), field.color(QPalette::Base)), READABLE_CONTRAST);
    EXPECT_GT(contrastRatio(field.color(QPalette::HighlightedText), field.color(QPalette::Highlight)), 3.0);
    view->inlineEditEventController().cancelEditing();

    dark.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(QColor(grabbed().pixel(ground)), QColor(Qt::white)) << "back to light with the desktop";
}

TEST(TimelineColorsTest, LightPalettesKeepTheClassicLookAndDarkOnesStayReadable) {
    QPalette light;
    light.setColor(QPalette::Base, QColor(250, 250, 245));
    light.setColor(QPalette::Text, QColor(40, 40, 40));
    EXPECT_EQ(TimelineColors::forPalette(light), TimelineColors::light());
    // The last one's own text is too dim to read on its ground.
    for (const auto& [base, text] : {std::pair{QColor(0x2a, 0x2a, 0x2a), QColor(0xe8, 0xe8, 0xe8)},
                                     {QColor(20, 30, 70), QColor(200, 200, 255)},
                                     {QColor(0x30, 0x30, 0x30), QColor(0x70, 0x70, 0x70)}}) {
        QPalette dark;
        dark.setColor(QPalette::Base, base);
        dark.setColor(QPalette::Text, text);
        const TimelineColors colors = TimelineColors::forPalette(dark);
        EXPECT_EQ(colors.ground, base);
        for (const QColor& color : {colors.text, colors.holiday, colors.currentTime})
            EXPECT_GE(contrastRatio(color, base), READABLE_CONTRAST) << color.name().toStdString();
    }
}

} // namespace
