#include "OverlapIndex.h"

#include <algorithm>
#include <limits>

void OverlapIndex::add(const VdirItem* item, std::pair<qint64, qint64> reach) {
    const qsizetype order = qsizetype(m_bounded.size() + m_openEnded.size());
    const Entry entry{reach.first, reach.second, order, item};
    if (reach.second == std::numeric_limits<qint64>::max())
        m_openEnded.push_back(entry);
    else
        m_bounded.push_back(entry);
}

void OverlapIndex::build() {
    std::sort(m_bounded.begin(), m_bounded.end(),
              [](const Entry& a, const Entry& b) { return a.from < b.from; });
    m_largestTo.resize(m_bounded.size());
    qint64 largest = std::numeric_limits<qint64>::min();
    for (size_t i = 0; i < m_bounded.size(); ++i)
        m_largestTo[i] = largest = std::max(largest, m_bounded[i].to);
}

QList<const VdirItem*> OverlapIndex::overlapping(qint64 from, qint64 to) const {
    std::vector<const Entry*> found;
    // Before `first` every item ended before the window; from `last` on every one starts after it.
    const auto last = std::upper_bound(m_bounded.begin(), m_bounded.end(), to,
                                       [](qint64 at, const Entry& entry) { return at < entry.from; });
    const size_t first =
        size_t(std::lower_bound(m_largestTo.begin(), m_largestTo.end(), from) - m_largestTo.begin());
    for (auto entry = m_bounded.begin() + qsizetype(std::min(first, m_bounded.size())); entry < last; ++entry)
        if (entry->to >= from)
            found.push_back(&*entry);
    for (const Entry& entry : m_openEnded)
        if (entry.from <= to)
            found.push_back(&entry);
    std::sort(found.begin(), found.end(), [](const Entry* a, const Entry* b) { return a->order < b->order; });
    QList<const VdirItem*> result;
    result.reserve(qsizetype(found.size()));
    for (const Entry* entry : found)
        result.append(entry->item);
    return result;
}
