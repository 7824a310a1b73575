#include "TimelineViewRenderer.h"

#include "DateToPositionMapping.h"
#include "TimelineCanvas.h"
#include "timelineSettings.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

QColor stripeColor(double hue) {
    return QColor::fromHsvF(float(hue), 0.6f, 0.9f, float(STRIPES_ALPHA));
}

const QColor HOUR_COLOR = stripeColor(0.5472222222222223);
const QColor DAY_COLOR = stripeColor(0.08055555555555556);
const QColor WEEK_COLOR = stripeColor(0.36666666666666664);
// Months are told apart by their boundary lines alone.
const QColor MONTH_COLOR(132, 183, 111, 0);
// A pale yellow, unlike any of the stripes' hues.
const QColor CURRENT_DAY_COLOR = QColor::fromHsvF(0.14f, 0.8f, 1.0f, float(CURRENT_DAY_ALPHA));

const DateOperation truncateToThirdHour = std::mem_fn(&CalendarDate::truncateToThirdHour);
const DateOperation truncateToSixthHour = std::mem_fn(&CalendarDate::truncateToSixthHour);
const DateOperation truncateToDay = std::mem_fn(&CalendarDate::truncateToDay);
const DateOperation truncateToDayAt12 = std::mem_fn(&CalendarDate::truncateToDayAt12);
const DateOperation truncateToWeek = [](const CalendarDate& date) { return date.truncateToWeek(); };
const DateOperation truncateToMonth = std::mem_fn(&CalendarDate::truncateToMonth);
const DateOperation truncateToYear = std::mem_fn(&CalendarDate::truncateToYear);

} // namespace

TimelineViewRenderer::TimelineViewRenderer(const TimelineCanvas& view)
    : m_view(view),
      m_hourEnumerator(std::mem_fn(&CalendarDate::addHour), std::mem_fn(&CalendarDate::truncateToHour),
                       std::mem_fn(&CalendarDate::hourOfDay)),
      m_thirdHourEnumerator(std::mem_fn(&CalendarDate::addThreeHours), truncateToThirdHour),
      m_sixthHourEnumerator(std::mem_fn(&CalendarDate::addSixHours), truncateToSixthHour),
      m_dayEnumerator(std::mem_fn(&CalendarDate::addDay), truncateToDay,
                      std::mem_fn(&CalendarDate::dayOfCommonEra)),
      m_fifthDayEnumerator(std::mem_fn(&CalendarDate::addFiveDays), truncateToDayAt12),
      m_weekEnumerator(std::mem_fn(&CalendarDate::addWeek), truncateToWeek,
                       std::mem_fn(&CalendarDate::weekOfCommonEra)),
      m_monthEnumerator(std::mem_fn(&CalendarDate::addMonth), truncateToMonth,
                        std::mem_fn(&CalendarDate::monthOfYear)),
      m_yearEnumerator(std::mem_fn(&CalendarDate::addYear), truncateToYear) {
    m_labelsPainters = {
        {m_hourEnumerator, m_hourLabeller, truncateToThirdHour},
        {m_thirdHourEnumerator, m_hourLabeller, truncateToSixthHour},
        {m_sixthHourEnumerator, m_hourLabeller, truncateToDay},
        {m_dayEnumerator, m_weekdayAndDateLabeller, truncateToDay, LabelsPainter::Emphasis::CurrentInterval},
        {m_dayEnumerator, m_tinyWeekdayLabeller, truncateToDay, LabelsPainter::Emphasis::CurrentInterval},
        {m_dayEnumerator, m_dayOfMonthLabeller, truncateToDay, LabelsPainter::Emphasis::CurrentInterval},
        {m_fifthDayEnumerator, m_fifthDayLabeller, truncateToDayAt12},
        {m_monthEnumerator, m_monthLabeller, truncateToMonth},
        {m_yearEnumerator, m_yearLabeller, truncateToYear},
    };
    m_stripesPainters = {
        {m_monthEnumerator, StripePainter(MONTH_COLOR, m_colors.text, MONTH_LINE_Y_OFFSET), truncateToMonth},
        {m_weekEnumerator, StripePainter(WEEK_COLOR), truncateToWeek},
        {m_dayEnumerator, StripePainter(DAY_COLOR), truncateToDay},
        {m_hourEnumerator, StripePainter(HOUR_COLOR), truncateToDay},
    };
}

void TimelineViewRenderer::setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping) {
    for (LabelsPainter& painter : m_labelsPainters)
        painter.setDateToPositionMapping(mapping);
    for (StripesPainter& painter : m_stripesPainters)
        painter.setDateToPositionMapping(mapping);
}

void TimelineViewRenderer::setColors(const TimelineColors& colors) {
    m_colors = colors;
    for (Labeller* labeller : std::initializer_list<Labeller*>{
             &m_hourLabeller, &m_weekdayAndDateLabeller, &m_tinyWeekdayLabeller, &m_dayOfMonthLabeller,
             &m_fifthDayLabeller, &m_monthLabeller, &m_yearLabeller})
        labeller->setColors(colors);
    for (StripesPainter& painter : m_stripesPainters)
        painter.setLineColor(colors.text);
}

void TimelineViewRenderer::setRange(const CalendarDate& from, const CalendarDate& to) {
    for (TimeIntervalEnumerator* enumerator :
         {&m_hourEnumerator, &m_thirdHourEnumerator, &m_sixthHourEnumerator, &m_dayEnumerator,
          &m_fifthDayEnumerator, &m_weekEnumerator, &m_monthEnumerator, &m_yearEnumerator}) {
        enumerator->setStart(from);
        enumerator->setEnd(to);
    }
}

void TimelineViewRenderer::runLabelPasses(
    const std::function<void(const LabelsPainter&, const LabelsPainter::Selection&)>& visit) {
    // Read the view's formatter on every pass, so that a change of the clock mode shows at once.
    for (Labeller* labeller :
         std::initializer_list<Labeller*>{&m_hourLabeller, &m_weekdayAndDateLabeller, &m_tinyWeekdayLabeller,
                                          &m_dayOfMonthLabeller, &m_monthLabeller, &m_yearLabeller})
        labeller->setDateFormatter(m_view.dateFormatter());

    auto pass = [&](size_t index) {
        LabelsPainter::Selection selection = m_labelsPainters[index].selectIntervals(m_view);
        visit(m_labelsPainters[index], selection);
        return selection.next;
    };
    m_thirdHourEnumerator.setStart(pass(0));
    m_sixthHourEnumerator.setStart(pass(1));
    pass(2);
    const CalendarDate afterWeekdays = pass(3);
    m_dayEnumerator.setStart(afterWeekdays);
    pass(4);
    m_dayEnumerator.setStart(afterWeekdays);
    // Fifth days are labelled at noon, four and a half days into the first five-day step.
    m_fifthDayEnumerator.setStart(pass(5).dateByAdding(0, 0, 4, 12));
    pass(6);
    pass(7);
    pass(8);
}

std::vector<LabelsPainter::Selection> TimelineViewRenderer::labelSelections(const CalendarDate& from,
                                                                            const CalendarDate& to) {
    setRange(from, to);
    std::vector<LabelsPainter::Selection> selections;
    runLabelPasses([&](const LabelsPainter&, const LabelsPainter::Selection& selection) {
        selections.push_back(selection);
    });
    return selections;
}

std::vector<std::vector<EnumeratedInterval>> TimelineViewRenderer::stripeSelections(const CalendarDate& from,
                                                                                    const CalendarDate& to) {
    setRange(from, to);
    std::vector<std::vector<EnumeratedInterval>> selections;
    for (const StripesPainter& painter : m_stripesPainters)
        selections.push_back(painter.selectIntervals(m_view));
    return selections;
}

void TimelineViewRenderer::labelFrom(QPainter& painter, const CalendarDate& from, const CalendarDate& to,
                                     const CalendarDate& now) {
    setRange(from, to);
    runLabelPasses([&](const LabelsPainter& labels, const LabelsPainter::Selection& selection) {
        labels.drawIntervals(painter, selection.intervals, m_view, now);
    });
    setRange(from, to);
    drawStripes(painter);
    drawCurrentDayTint(painter, from, to, now);
}

void TimelineViewRenderer::drawCurrentDayTint(QPainter& painter, const CalendarDate& from,
                                              const CalendarDate& to, const CalendarDate& now) const {
    const CalendarDate dayStart = std::max(now.truncateToDay(), from);
    const CalendarDate dayEnd = std::min(now.truncateToDay().addDay(), to);
    if (!(dayStart < dayEnd))
        return;
    const DateToPositionMapping& mapping = m_view.dateToPositionMapping();
    const double left = mapping.horizontalPositionForDate(dayStart, m_view);
    const double right = mapping.horizontalPositionForDate(dayEnd, m_view);
    const double top = TIMELINE_Y_POS + TIMELINE_LINE_WIDTH;
    painter.fillRect(
        m_view.alignedToDevicePixels(QRectF(left, top, right - left, m_view.boundsSize().height() - top)),
        CURRENT_DAY_COLOR);
}

// Every row below the line shows the same stripes, so they are painted once into a strip as tall as the
// month lines above the line plus the line's row, and that last row is stretched down the view. Blending
// each stripe over the view's whole height would cost a full-height fill per stripe.
void TimelineViewRenderer::drawStripes(QPainter& painter) const {
    const double width = m_view.boundsSize().width();
    const double height = m_view.boundsSize().height();
    const double top = TIMELINE_Y_POS - MONTH_LINE_Y_OFFSET;
    const double ratio = m_view.devicePixelRatio();
    QImage strip(int(std::ceil(width * ratio)), int(std::ceil((MONTH_LINE_Y_OFFSET + 1) * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    strip.setDevicePixelRatio(ratio);
    strip.fill(Qt::transparent);
    {
        QPainter stripPainter(&strip);
        stripPainter.translate(0, -top);
        // Below the line the stripes blend over the ground; above it only the month lines show.
        stripPainter.fillRect(QRectF(0, TIMELINE_Y_POS, width, 1), m_colors.ground);
        for (const StripesPainter& stripes : m_stripesPainters)
            stripes.drawInTimelineView(stripPainter, m_view);
    }
    const double lineRows = MONTH_LINE_Y_OFFSET * ratio;
    painter.drawImage(QRectF(0, top, width, MONTH_LINE_Y_OFFSET), strip,
                      QRectF(0, 0, strip.width(), lineRows));
    painter.drawImage(QRectF(0, TIMELINE_Y_POS, width, height - TIMELINE_Y_POS), strip,
                      QRectF(0, lineRows, strip.width(), ratio));
}
