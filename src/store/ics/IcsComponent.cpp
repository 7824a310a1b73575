#include "IcsComponent.h"

#include <algorithm>

IcsComponent::IcsComponent(const QString& name)
    : m_name(name), m_begin{{}, ContentLine(QStringLiteral("BEGIN"), name)},
      m_end{{}, ContentLine(QStringLiteral("END"), name)} {}

IcsComponent::IcsComponent(const IcsComponent& other)
    : m_name(other.m_name), m_begin(other.m_begin), m_end(other.m_end) {
    m_entries.reserve(other.m_entries.size());
    for (const Entry& entry : other.m_entries)
        m_entries.push_back(
            {entry.line, entry.child ? std::make_unique<IcsComponent>(*entry.child) : nullptr});
}

IcsComponent& IcsComponent::operator=(const IcsComponent& other) {
    if (this != &other)
        *this = IcsComponent(other);
    return *this;
}

IcsComponent::~IcsComponent() = default;

bool IcsComponent::hasName(QStringView name) const {
    return QStringView(m_name).compare(name, Qt::CaseInsensitive) == 0;
}

qsizetype IcsComponent::indexOfProperty(QStringView name) const {
    auto found = std::find_if(m_entries.begin(), m_entries.end(),
                              [name](const Entry& e) { return e.isProperty(name); });
    return found == m_entries.end() ? -1 : found - m_entries.begin();
}

qsizetype IcsComponent::indexOfFirstChild() const {
    auto child =
        std::find_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.child != nullptr; });
    return child - m_entries.begin();
}

std::optional<ContentLine> IcsComponent::property(QStringView name) const {
    const qsizetype index = indexOfProperty(name);
    return index < 0 ? std::nullopt : m_entries[index].line.content;
}

QList<ContentLine> IcsComponent::properties(QStringView name) const {
    QList<ContentLine> result;
    for (const Entry& entry : m_entries) {
        if (entry.isProperty(name))
            result.append(*entry.line.content);
    }
    return result;
}

void IcsComponent::setProperty(const ContentLine& line) {
    const qsizetype index = indexOfProperty(line.name());
    if (index < 0)
        addProperty(line);
    else if (m_entries[index].line.content->text() != line.text())
        m_entries[index].line = {{}, line};
}

void IcsComponent::addProperty(const ContentLine& line) {
    qsizetype index = indexOfFirstChild();
    for (qsizetype i = 0; i < qsizetype(m_entries.size()); ++i) {
        if (m_entries[i].isProperty(line.name()))
            index = i + 1;
    }
    m_entries.insert(m_entries.begin() + index, Entry{{{}, line}, nullptr});
}

void IcsComponent::replaceProperties(QStringView name,
                                     const std::function<ContentLine(const ContentLine&)>& change) {
    for (Entry& entry : m_entries) {
        if (!entry.isProperty(name))
            continue;
        const ContentLine changed = change(*entry.line.content);
        if (changed.text() != entry.line.content->text())
            entry.line = {{}, changed};
    }
}

int IcsComponent::removeProperties(QStringView name, const std::function<bool(const ContentLine&)>& which) {
    return int(std::erase_if(m_entries, [&](const Entry& e) {
        return !e.child && e.line.content && e.line.content->hasName(name) &&
               (!which || which(*e.line.content));
    }));
}

QList<IcsComponent*> IcsComponent::children(QStringView name) {
    QList<IcsComponent*> result;
    for (Entry& entry : m_entries) {
        if (entry.child && (name.isEmpty() || entry.child->hasName(name)))
            result.append(entry.child.get());
    }
    return result;
}

IcsComponent& IcsComponent::addChild(IcsComponent child, const IcsComponent* before) {
    auto at = std::find_if(m_entries.begin(), m_entries.end(),
                           [before](const Entry& e) { return before && e.child.get() == before; });
    auto stored = std::make_unique<IcsComponent>(std::move(child));
    IcsComponent& result = *stored;
    m_entries.insert(at, Entry{{}, std::move(stored)});
    return result;
}

int IcsComponent::removeChildren(QStringView name) {
    return int(
        std::erase_if(m_entries, [name](const Entry& e) { return e.child && e.child->hasName(name); }));
}

bool IcsComponent::remove(const IcsComponent* descendant) {
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if (!entry->child)
            continue;
        if (entry->child.get() == descendant) {
            m_entries.erase(entry);
            return true;
        }
        if (entry->child->remove(descendant))
            return true;
    }
    return false;
}

void IcsComponent::appendTo(QByteArray& out) const {
    appendLine(out, m_begin);
    for (const Entry& entry : m_entries) {
        if (entry.child)
            entry.child->appendTo(out);
        else
            appendLine(out, entry.line);
    }
    appendLine(out, m_end);
}

void IcsComponent::appendLine(QByteArray& out, const Line& line) {
    const QByteArray bytes = line.original.isEmpty() && line.content ? line.content->folded() : line.original;
    if (bytes.isEmpty())
        return;
    // Only the last line of a file may lack its line ending; a line moved or added after it needs one.
    if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r'))
        out += "\r\n";
    out += bytes;
}
