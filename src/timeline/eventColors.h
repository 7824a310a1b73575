#pragma once

#include <QColor>

// A calendar's colour made fit for filling a bar: saturation at most 0.7, brightness at least 0.7, the
// colour's own hue and alpha.
QColor createFillColor(const QColor& color);
// The same with the brightness lowered by a further 0.3 (so between 0.4 and 0.7), for the bar's lower edge.
QColor createDarkFillColor(const QColor& color);
