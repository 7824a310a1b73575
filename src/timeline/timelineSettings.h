#pragma once

#include <QColor>
#include <QFont>

// The timeline's measures in pixels (view coordinates, y downwards) and seconds.

// The line and the visible range.
inline constexpr double TIMELINE_HOR_MARGIN = 10.0;
inline constexpr double TIMELINE_Y_POS = 52.0;
inline constexpr double TIMELINE_LINE_WIDTH = 1.0;
// The label rows and the line, which stay in sight while the rows below scroll.
inline constexpr double TIMELINE_HEADER_HEIGHT = TIMELINE_Y_POS + TIMELINE_LINE_WIDTH;
inline constexpr double TIMELINE_LOG_COMPRESSION = 0.03;
inline constexpr double CURRENT_TIME_Y_POS = 51.0;
inline constexpr double CURRENT_TIME_LINE_WIDTH = 2.0;
inline constexpr double CENTERED_POSITION_LEFT_MARGIN = 50.0;
inline constexpr double DEFAULT_TIME_INTERVAL = 432000.0; // five days
inline constexpr double MIN_TIME_INTERVAL = 21600.0;      // six hours
inline constexpr double MAX_TIME_INTERVAL = 8640000.0;    // a hundred days

// Label rows above the line: each row's text top is TIMELINE_Y_POS minus its offset plus font size.
inline constexpr double HOUR_FONT_SIZE = 10.0;
inline constexpr double HOUR_Y_OFFSET = 2.0;
inline constexpr double WEEKDAY_AND_DATE_FONT_SIZE = 10.0;
inline constexpr double WEEKDAY_AND_DATE_Y_OFFSET = 13.0;
inline constexpr double TINY_WEEKDAY_Y_OFFSET = 2.0;
inline constexpr double MONTH_FONT_SIZE = 12.0;
inline constexpr double MONTH_Y_OFFSET = 26.0;
inline constexpr double YEAR_FONT_SIZE = 12.0;
inline constexpr double YEAR_Y_OFFSET = 39.0;

// Stripes below the line.
inline constexpr double STRIPE_CUT_OFF_LIMIT = 7.0;
inline constexpr double STRIPE_LINE_WIDTH = 1.0;
inline constexpr double MONTH_LINE_Y_OFFSET = 20.0;
inline constexpr double STRIPES_ALPHA = 0.05;
inline constexpr double CURRENT_DAY_ALPHA = 0.12;

// Events.
inline constexpr double EVENT_FONT_SIZE = 10.0;
inline constexpr double EVENT_TITLE_FONT_SIZE = 12.0;
inline constexpr double SELECTED_EVENT_TITLE_FONT_SIZE = 14.0;
inline constexpr double EVENT_MARGIN_TO_TIMELINE = 10.0;
inline constexpr double EVENT_HORIZONTAL_MARGIN = 20.0;
inline constexpr double MIN_EVENT_WIDTH = 3.0;
inline constexpr double TIMEBAR_HEIGHT = 8.0;
inline constexpr double TEXT_LABEL_MAX_WIDTH = 250.0;
inline constexpr double TEXT_LABEL_MAX_HEIGHT = 500.0;
inline constexpr double EVENT_SELECTION_RADIUS = 5.0;
inline constexpr double EVENT_SELECTION_LINE_WIDTH = 1.0;
inline constexpr double DIMMED_ALPHA = 0.15;
inline constexpr double FILL_COLOR_MAX_SATURATION = 0.7;
inline constexpr double FILL_COLOR_MIN_BRIGHTNESS = 0.7;

// Every text of the timeline is set in this one family at a size in pixels, unhinted, so that text
// widths, and with them which labels fit and how rows stack, are the same on every screen.
QFont timelineFont(double pixelSize);
