#pragma once

#include <QColor>

class QPalette;

// The colours of typed text: understood by the entry language, not understood (or dates that do not fit),
// and the part of a line read as dates and times. Taken from the palette, so that they follow a dark one,
// and each readable on the palette's text background (a contrast of at least 4.5:1).
struct TextColors {
    QColor valid;
    QColor invalid;
    QColor recognised;

    static TextColors forPalette(const QPalette& palette);
    // Those of the application's palette.
    static TextColors current();
};
