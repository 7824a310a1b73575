#include "FolderReading.h"

FolderReading::FolderReading(QString path, QStringList names, QList<VdirItem> indexed)
    : m_path(std::move(path)), m_names(std::move(names)), m_indexed(std::move(indexed)) {}

QList<const VdirItem*> FolderReading::indexedAhead() const {
    QList<const VdirItem*> ahead;
    for (qsizetype at = m_nextIndexed; at < m_indexed.size(); ++at)
        if (m_next == 0 || m_indexed[at].fileName() > m_names[m_next - 1])
            ahead.append(&m_indexed[at]);
    return ahead;
}

FolderReading::File FolderReading::next() {
    if (!m_open)
        m_open = std::make_shared<OpenFolder>(m_path);
    File file{m_names[m_next++], {}, {}};
    file.stamp = m_open->stampOf(file.name);
    file.gone = !file.stamp && m_open->isGone(file.name);
    // Both come sorted: the indexed item of a name, if any, is the next one not before it.
    while (m_nextIndexed < m_indexed.size() && m_indexed[m_nextIndexed].fileName() < file.name)
        ++m_nextIndexed;
    if (m_nextIndexed < m_indexed.size() && m_indexed[m_nextIndexed].fileName() == file.name &&
        file.stamp == m_indexed[m_nextIndexed].stamp) {
        file.indexed = std::move(m_indexed[m_nextIndexed++]);
        file.indexed->confirm();
        ++m_taken;
    }
    if (atEnd())
        m_open.reset();
    return file;
}
