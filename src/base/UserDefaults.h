#pragma once

#include <QHash>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>
#include <optional>

// The user's settings, kept in an INI file, over registered defaults that are never written. Values read
// back from the file may come as text ("true", a single-element list as its element): read them with the
// QVariant conversions (toBool, toStringList).
//
// The file is ours, but QSettings would follow a link there, wait on a pipe, read a device for ever and
// write through a link, and its lock file beside it has the same faults. So before QSettings reads or
// writes, whatever else is at either path is removed (a file too large to be ours is set aside beside
// it) and a plain file is written anew. A folder cannot be removed: then the changes of this run are kept
// in memory only.
class UserDefaults : public QObject {
    Q_OBJECT
public:
    // Far more than any settings take.
    static constexpr qint64 MAX_FILE_SIZE = qint64(1) << 20;

    // ~/.config/pellowick/verdalune.conf (or below $XDG_CONFIG_HOME).
    explicit UserDefaults(QObject* parent = nullptr);
    explicit UserDefaults(const QString& filePath, QObject* parent = nullptr);
    ~UserDefaults() override;

    void registerDefaults(const QVariantMap& defaults);
    // The stored value, else the registered one, else an invalid value.
    QVariant value(const QString& key) const;
    // Written at the next pass of the event loop, by synchronize, or when this object goes.
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    // Whether a value is stored; registered defaults do not count.
    bool contains(const QString& key) const;
    // Writes the changes and reads those of other processes.
    void synchronize();

signals:
    void valueChanged(const QString& key);

private:
    // Whether QSettings may use the paths now; removes what is in the way.
    bool clearPaths();
    bool clearPath(const QString& path);
    void change(const QString& key, std::optional<QVariant> value);

    QString m_path;
    bool m_warnedOfFolder = false;
    std::unique_ptr<QSettings> m_settings; // made once the paths are cleared, as it reads the file then
    QVariantMap m_registered;
    QHash<QString, std::optional<QVariant>> m_unwritten; // nothing: removed
};
