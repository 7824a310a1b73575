#pragma once

#include <QColor>

// Typed text that the entry language understands, and text it does not (or dates that do not fit).
inline const QColor VALID_TEXT_COLOR = QColor(0, 0, 0);
inline const QColor INVALID_TEXT_COLOR = QColor(196, 26, 22);
