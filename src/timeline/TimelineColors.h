#pragma once

#include <QColor>
#include <QPalette>

// The timeline's own colours. Under a light palette it has its classic look, black on white; under a dark
// one the same layout in the palette's dark ground and light text, every text readable there.
struct TimelineColors {
    QColor ground;
    // Labels, event titles, the line and the month lines.
    QColor text;
    // Sundays' labels.
    QColor holiday;
    QColor currentTime;

    static TimelineColors light();
    static TimelineColors forPalette(const QPalette& palette);
    // The same colours in the roles that widgets laid over the timeline read, such as the field that renames
    // an event in place; selection colours still follow the desktop.
    QPalette palette() const;
    // `text` at the given opacity, for marks that darken a light ground and lighten a dark one.
    QColor textWithAlpha(double alpha) const;

    bool operator==(const TimelineColors&) const = default;
};
