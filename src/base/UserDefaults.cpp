#include "UserDefaults.h"

#include <QStandardPaths>

UserDefaults::UserDefaults(QObject* parent)
    : UserDefaults(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/pellowick/verdalune.conf"),
                   parent) {}

UserDefaults::UserDefaults(const QString& filePath, QObject* parent)
    : QObject(parent), m_settings(filePath, QSettings::IniFormat) {}

void UserDefaults::registerDefaults(const QVariantMap& defaults) {
    m_registered.insert(defaults);
}

QVariant UserDefaults::value(const QString& key) const {
    return m_settings.contains(key) ? m_settings.value(key) : m_registered.value(key);
}

void UserDefaults::setValue(const QString& key, const QVariant& value) {
    m_settings.setValue(key, value);
    emit valueChanged(key);
}

void UserDefaults::remove(const QString& key) {
    if (!m_settings.contains(key))
        return;
    m_settings.remove(key);
    emit valueChanged(key);
}

bool UserDefaults::contains(const QString& key) const {
    return m_settings.contains(key);
}

void UserDefaults::synchronize() {
    m_settings.sync();
}
