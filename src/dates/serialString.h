#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Joins items in the form "a, b and c": no items give the empty text, one item itself, two "a and b",
// three or more all but the last joined by ", ", then " and " and the last (no comma before the "and").
QString serialString(const QStringList& items);
// The same with the numbers as their decimal text ("1, 15 and 30").
QString serialString(const QList<int>& numbers);

// The names of the listed numbers, in ascending order whatever the order of the list and each once, joined
// by serialString. `names[i]` is the name of number i + 1 (weekday names Sunday first, month names January
// first). A number outside 1..names.size() is an internal-consistency failure whose text is
// `failureText`, with a "%d" in it replaced by the number. Shared by DateFormatter and CalendarInformation.
QString serialStringOfNumberedNames(const QStringList& names, const QList<int>& numbers,
                                    const char* failureText);
// The name of one number, with the same failure rule.
QString nameOfNumber(const QStringList& names, int number, const char* failureText);
