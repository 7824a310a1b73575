#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// The user's settings, kept in an INI file, over registered defaults that are never written. Values read
// back from the file may come as text ("true", a single-element list as its element): read them with the
// QVariant conversions (toBool, toStringList).
class UserDefaults : public QObject {
    Q_OBJECT
public:
    // ~/.config/pellowick/verdalune.conf (or below $XDG_CONFIG_HOME).
    explicit UserDefaults(QObject* parent = nullptr);
    explicit UserDefaults(const QString& filePath, QObject* parent = nullptr);

    void registerDefaults(const QVariantMap& defaults);
    // The stored value, else the registered one, else an invalid value.
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    // Whether a value is stored; registered defaults do not count.
    bool contains(const QString& key) const;
    void synchronize();

signals:
    void valueChanged(const QString& key);

private:
    QSettings m_settings;
    QVariantMap m_registered;
};
