#pragma once

#include <QString>

// The form in which search text is compared: compatibility-decomposed, without combining marks and case
// folded, so that "Ü" finds "u" and "é" finds "E". "ß" is folded to "ss", as in full case folding.
QString foldedForSearch(const QString& text);
