#include "OpenFolder.h"

#include <QFile>

#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenFolder::OpenFolder(QString path)
    : m_path(std::move(path)),
      m_descriptor(::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::~OpenFolder() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool OpenFolder::hasEntry(const QString& name) const {
    if (m_descriptor < 0) {
        const QFileInfo entry(m_path + u'/' + name);
        return entry.exists() || entry.isSymLink();
    }
    struct stat status {};
    return ::fstatat(m_descriptor, QFile::encodeName(name).constData(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

std::optional<FileStamp> OpenFolder::stampOf(const QString& name) const {
    return m_descriptor < 0 ? FileStamp::of(m_path + u'/' + name) : FileStamp::of(m_descriptor, name);
}
