#pragma once

#include <QColor>

// Contrast as the accessibility guidelines measure it: text wants at least 4.5:1 against its background.
inline constexpr double READABLE_CONTRAST = 4.5;

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
// Whether light text suits this background better than dark text.
bool isDarkBackground(const QColor& background);
// `color`, darkened on a light background or lightened on a dark one until it is readable there.
QColor readableOn(QColor color, const QColor& background);
