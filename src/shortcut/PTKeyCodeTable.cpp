#include "PTKeyCodeTable.h"

#include "PTKeyCodeTranslator.h"
#include "base/InternalInconsistency.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

const PTKeyCodeTable& PTKeyCodeTable::shared() {
    static const PTKeyCodeTable table = [] {
        QFile file(QStringLiteral(":/PTKeyCodes.json"));
        VL_ASSERT(file.open(QIODevice::ReadOnly), QStringLiteral("PTKeyCodes resource present"));
        return PTKeyCodeTable(QJsonDocument::fromJson(file.readAll()).object());
    }();
    return table;
}

QString PTKeyCodeTable::nameForKeyCode(int keyCode) const {
    const QString code = QString::number(keyCode);
    const QString hexadecimal = QString::number(keyCode, 16).toUpper();
    if (m_table.value(QStringLiteral("version")).toInt() <= 0)
        return m_table.contains(code) ? m_table.value(code).toString() : hexadecimal;

    const QJsonObject unmapped = m_table.value(QStringLiteral("unmappedKeys")).toObject();
    if (unmapped.contains(code))
        return unmapped.value(code).toString();
    const QString character = PTKeyCodeTranslator::currentTranslator()->translateKeyCode(keyCode).toUpper();
    // A key the layout gives no character (a dead key, a media key) still needs a name.
    if (character.isEmpty())
        return hexadecimal;
    if (m_table.value(QStringLiteral("padKeys")).toArray().contains(keyCode))
        return m_table.value(QStringLiteral("padKeyString")).toString() + QLatin1Char(' ') + character;
    return character;
}
