#pragma once

#include <QByteArray>
#include <QStringList>

// libical drops a whole RRULE for one part it cannot read (COUNT=-1, or a COUNT beside an UNTIL, which
// may not go together), and with it every repetition of the event. Such lines are rewritten without the
// bad parts before libical reads the text, so that the rest of the rule still holds; a COUNT beside an
// UNTIL gives way to the UNTIL. What is dropped is said in `warnings`.
class RecurrenceRuleRepair {
public:
    // The text with its broken RRULE lines mended; the text itself when none needs it.
    static QByteArray repaired(const QByteArray& text, QStringList& warnings);
};
