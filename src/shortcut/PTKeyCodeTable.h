#pragma once

#include <QJsonObject>
#include <QString>

// Names of keys for display. Keys without a character of their own (function keys, arrows) are named by
// the table; the others by their character in the current keyboard layout, keypad keys with a prefix.
class PTKeyCodeTable {
public:
    // The table of the "PTKeyCodes" resource, read once.
    static const PTKeyCodeTable& shared();
    explicit PTKeyCodeTable(const QJsonObject& table) : m_table(table) {}

    QString nameForKeyCode(int keyCode) const;

private:
    QJsonObject m_table;
};
