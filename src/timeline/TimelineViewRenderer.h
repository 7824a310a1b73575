#pragma once

#include "DateAtStartPositionLabeller.h"
#include "DayOfMonthLabeller.h"
#include "HourLabeller.h"
#include "LabelsPainter.h"
#include "MonthLabeller.h"
#include "StripesPainter.h"
#include "TimeIntervalEnumerator.h"
#include "TinyWeekdayLabeller.h"
#include "WeekdayAndDateLabeller.h"
#include "YearLabeller.h"

#include <memory>
#include <vector>

class DateToPositionMapping;
class QPainter;
class TimelineCanvas;

// The label rows above the line and the stripes below it for one view. Each row is tried from the left
// and the coarser rows continue where the finer ones stop fitting: hours, then three and six hours;
// weekday and date, then one-letter weekdays with day numbers, then every fifth day; months; years.
class TimelineViewRenderer {
public:
    explicit TimelineViewRenderer(const TimelineCanvas& view);
    TimelineViewRenderer(const TimelineViewRenderer&) = delete;
    TimelineViewRenderer& operator=(const TimelineViewRenderer&) = delete;

    void setDateToPositionMapping(std::shared_ptr<const DateToPositionMapping> mapping);
    // Light until told otherwise.
    void setColors(const TimelineColors& colors);

    // Draws all labels, then the stripes of months, weeks, days and hours for [from, to). The day of `now`
    // has a bolder label and a faint tint over its column.
    void labelFrom(QPainter& painter, const CalendarDate& from, const CalendarDate& to,
                   const CalendarDate& now);

    // What labelFrom would label, pass by pass: hours, three hours, six hours, weekday and date,
    // one-letter weekday, day number, fifth day, month, year.
    std::vector<LabelsPainter::Selection> labelSelections(const CalendarDate& from, const CalendarDate& to);
    const std::vector<LabelsPainter>& labelsPainters() const { return m_labelsPainters; }
    // What labelFrom would shade, unit by unit in the order drawn: months, weeks, days, hours.
    std::vector<std::vector<EnumeratedInterval>> stripeSelections(const CalendarDate& from,
                                                                  const CalendarDate& to);
    const std::vector<StripesPainter>& stripesPainters() const { return m_stripesPainters; }

private:
    void setRange(const CalendarDate& from, const CalendarDate& to);
    void drawStripes(QPainter& painter) const;
    void drawCurrentDayTint(QPainter& painter, const CalendarDate& from, const CalendarDate& to,
                            const CalendarDate& now) const;
    // Runs the nine label passes, each starting where the pass it depends on stopped.
    void
    runLabelPasses(const std::function<void(const LabelsPainter&, const LabelsPainter::Selection&)>& visit);

    const TimelineCanvas& m_view;
    TimelineColors m_colors = TimelineColors::light();

    TimeIntervalEnumerator m_hourEnumerator;
    TimeIntervalEnumerator m_thirdHourEnumerator;
    TimeIntervalEnumerator m_sixthHourEnumerator;
    TimeIntervalEnumerator m_dayEnumerator;
    TimeIntervalEnumerator m_fifthDayEnumerator;
    TimeIntervalEnumerator m_weekEnumerator;
    TimeIntervalEnumerator m_monthEnumerator;
    TimeIntervalEnumerator m_yearEnumerator;

    HourLabeller m_hourLabeller;
    WeekdayAndDateLabeller m_weekdayAndDateLabeller;
    TinyWeekdayLabeller m_tinyWeekdayLabeller;
    DayOfMonthLabeller m_dayOfMonthLabeller;
    // Prints only day numbers, so it keeps its own formatter.
    DateAtStartPositionLabeller m_fifthDayLabeller;
    MonthLabeller m_monthLabeller;
    YearLabeller m_yearLabeller;

    // In pass order.
    std::vector<LabelsPainter> m_labelsPainters;
    // Months, weeks, days, hours: each paints over the one before.
    std::vector<StripesPainter> m_stripesPainters;
};
