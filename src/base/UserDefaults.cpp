#include "UserDefaults.h"

#include "Logger.h"

#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

UserDefaults::UserDefaults(QObject* parent)
    : UserDefaults(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/pellowick/verdalune.conf"),
                   parent) {}

UserDefaults::UserDefaults(const QString& filePath, QObject* parent) : QObject(parent), m_path(filePath) {
    clearPaths();
    m_settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
}

UserDefaults::~UserDefaults() {
    if (!m_unwritten.isEmpty())
        synchronize();
}

void UserDefaults::registerDefaults(const QVariantMap& defaults) {
    m_registered.insert(defaults);
}

QVariant UserDefaults::value(const QString& key) const {
    if (const auto unwritten = m_unwritten.constFind(key); unwritten != m_unwritten.cend())
        return unwritten->value_or(m_registered.value(key));
    return m_settings->contains(key) ? m_settings->value(key) : m_registered.value(key);
}

void UserDefaults::setValue(const QString& key, const QVariant& value) {
    change(key, value);
}

void UserDefaults::remove(const QString& key) {
    if (contains(key))
        change(key, std::nullopt);
}

bool UserDefaults::contains(const QString& key) const {
    const auto unwritten = m_unwritten.constFind(key);
    return unwritten != m_unwritten.cend() ? unwritten->has_value() : m_settings->contains(key);
}

void UserDefaults::synchronize() {
    // QSettings holds no change of its own outside this call, so it never writes unchecked, not even
    // when it goes.
    if (!clearPaths())
        return;
    for (auto change = m_unwritten.cbegin(); change != m_unwritten.cend(); ++change) {
        if (change.value())
            m_settings->setValue(change.key(), *change.value());
        else
            m_settings->remove(change.key());
    }
    m_unwritten.clear();
    m_settings->sync();
}

void UserDefaults::change(const QString& key, std::optional<QVariant> value) {
    if (m_unwritten.isEmpty())
        QMetaObject::invokeMethod(this, &UserDefaults::synchronize, Qt::QueuedConnection);
    m_unwritten.insert(key, std::move(value));
    emit valueChanged(key);
}

bool UserDefaults::clearPaths() {
    // Both, so that what is in the way of either goes now.
    const bool fileClear = clearPath(m_path);
    const bool clear = clearPath(m_path + QStringLiteral(".lock")) && fileClear;
    if (!clear && !m_warnedOfFolder) {
        m_warnedOfFolder = true;
        VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
               QStringLiteral(
                   "%1: a folder, or something that cannot be removed, is in its way or its lock's; the "
                   "settings of this run are not written")
                   .arg(m_path));
    }
    return clear;
}

bool UserDefaults::clearPath(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return true; // nothing there, or nothing QSettings could reach either
    if (S_ISREG(info.st_mode) && info.st_size <= MAX_FILE_SIZE)
        return true;
    if (S_ISDIR(info.st_mode))
        return false;
    // A file may be the user's: it is kept under another name. Links, pipes and devices hold nothing.
    const bool large = S_ISREG(info.st_mode);
    const QByteArray aside = name + ".too-large";
    if ((large ? ::rename(name.constData(), aside.constData()) : ::unlink(name.constData())) != 0)
        return false;
    VL_LOG(LOTHER, Logger::LOG_WARNING_LEVEL,
           large
               ? QStringLiteral("%1 is larger than %2 bytes: moved to %3, the settings are written anew")
                     .arg(path)
                     .arg(MAX_FILE_SIZE)
                     .arg(QFile::decodeName(aside))
               : QStringLiteral("%1 is not a plain file: removed, the settings are written anew").arg(path));
    return true;
}
