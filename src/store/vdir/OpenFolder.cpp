#include "OpenFolder.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

OpenFolder::OpenFolder(QString path)
    : m_path(std::move(path)),
      m_descriptor(::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::~OpenFolder() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

std::optional<FileStamp> OpenFolder::stampOf(const QString& name) const {
    return m_descriptor < 0 ? FileStamp::of(m_path + u'/' + name) : FileStamp::of(m_descriptor, name);
}
