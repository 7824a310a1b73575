#include "OpenFolder.h"

#include <QFile>

#include <cerrno>
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

bool OpenFolder::isGone(const QString& name) const {
    struct stat status {};
    const int looked =
        m_descriptor < 0
            ? ::lstat(QFile::encodeName(m_path + u'/' + name).constData(), &status)
            : ::fstatat(m_descriptor, QFile::encodeName(name).constData(), &status, AT_SYMLINK_NOFOLLOW);
    return looked != 0 && errno == ENOENT;
}

std::optional<FileStamp> OpenFolder::stampOf(const QString& name) const {
    return m_descriptor < 0 ? FileStamp::of(m_path + u'/' + name) : FileStamp::of(m_descriptor, name);
}
