#include "PTKeyCombo.h"

#include "HotKeyModifiers.h"
#include "PTKeyCodeTable.h"

#include <QCoreApplication>
#include <QStringList>

#include <array>
#include <utility>

PTKeyCombo PTKeyCombo::fromPlistRepresentation(const QVariant& plist) {
    const QVariantMap map = plist.toMap();
    if (map.isEmpty())
        return clearKeyCombo();
    const int keyCode = map.value(QStringLiteral("keyCode")).toInt();
    const int modifiers = map.value(QStringLiteral("modifiers")).toInt();
    return {keyCode < 0 ? -1 : keyCode, modifiers < 1 ? -1 : modifiers};
}

QVariantMap PTKeyCombo::plistRepresentation() const {
    return {{QStringLiteral("keyCode"), m_keyCode}, {QStringLiteral("modifiers"), m_modifiers}};
}

QString PTKeyCombo::description() const {
    if (!isValidHotKeyCombo())
        return QCoreApplication::translate("PTKeyCombo", "(None)");
    // The order Linux desktops show modifiers in.
    const std::array<std::pair<int, const char*>, 4> names{{
        {HotKeyModifiers::CONTROL, QT_TRANSLATE_NOOP("PTKeyCombo", "Ctrl")},
        {HotKeyModifiers::OPTION, QT_TRANSLATE_NOOP("PTKeyCombo", "Alt")},
        {HotKeyModifiers::SHIFT, QT_TRANSLATE_NOOP("PTKeyCombo", "Shift")},
        {HotKeyModifiers::COMMAND, QT_TRANSLATE_NOOP("PTKeyCombo", "Super")},
    }};
    QStringList parts;
    for (const auto& [flag, name] : names) {
        if (m_modifiers & flag)
            parts << QCoreApplication::translate("PTKeyCombo", name);
    }
    parts << keyCodeString();
    return parts.join(QLatin1Char('+'));
}

QString PTKeyCombo::keyCodeString() const {
    if (isClearCombo())
        return {};
    return PTKeyCodeTable::shared().nameForKeyCode(m_keyCode);
}

unsigned int PTKeyCombo::modifierMask() const {
    return isClearCombo() ? 0 : HotKeyModifiers::toDesktopFlags(m_modifiers);
}
