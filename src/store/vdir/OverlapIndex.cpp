#include "OverlapIndex.h"

#include "store/ics/BinaryReader.h"
#include "store/ics/BinaryWriter.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 OPEN_END = std::numeric_limits<qint64>::max();

} // namespace

void OverlapIndex::add(std::pair<qint64, qint64> reach) {
    const Entry entry{reach.first, reach.second, size()};
    if (reach.second == OPEN_END)
        m_openEnded.push_back(entry);
    else
        m_bounded.push_back(entry);
}

void OverlapIndex::build() {
    std::stable_sort(m_bounded.begin(), m_bounded.end(),
                     [](const Entry& a, const Entry& b) { return a.from < b.from; });
    findLargestEnds();
}

void OverlapIndex::findLargestEnds() {
    m_largestTo.resize(m_bounded.size());
    qint64 largest = std::numeric_limits<qint64>::min();
    for (size_t i = 0; i < m_bounded.size(); ++i)
        m_largestTo[i] = largest = std::max(largest, m_bounded[i].to);
}

std::vector<qint32> OverlapIndex::overlapping(qint64 from, qint64 to) const {
    std::vector<qint32> found;
    // Before `first` every item ended before the window; from `last` on every one starts after it.
    const auto last = std::upper_bound(m_bounded.begin(), m_bounded.end(), to,
                                       [](qint64 at, const Entry& entry) { return at < entry.from; });
    const size_t first =
        size_t(std::lower_bound(m_largestTo.begin(), m_largestTo.end(), from) - m_largestTo.begin());
    for (auto entry = m_bounded.begin() + qsizetype(std::min(first, m_bounded.size())); entry < last; ++entry)
        if (entry->to >= from)
            found.push_back(entry->item);
    for (const Entry& entry : m_openEnded)
        if (entry.from <= to)
            found.push_back(entry.item);
    std::sort(found.begin(), found.end());
    return found;
}

void OverlapIndex::write(BinaryWriter& out) const {
    out << qint32(m_bounded.size());
    for (const Entry& entry : m_bounded)
        out << entry.from << entry.to << entry.item;
    out << qint32(m_openEnded.size());
    for (const Entry& entry : m_openEnded)
        out << entry.from << entry.item;
}

std::optional<OverlapIndex> OverlapIndex::read(BinaryReader& in, qint32 count) {
    OverlapIndex index;
    std::vector<bool> seen(size_t(std::max(count, 0)));
    const auto take = [&](qint64 from, qint64 to, qint32 item, std::vector<Entry>& into) {
        if (item < 0 || item >= count || seen[size_t(item)])
            return false;
        seen[size_t(item)] = true;
        into.push_back({from, to, item});
        return true;
    };
    qint32 bounded = 0;
    in >> bounded;
    if (!in.ok() || bounded < 0 || bounded > count)
        return std::nullopt;
    index.m_bounded.reserve(size_t(bounded));
    for (qint32 i = 0; i < bounded; ++i) {
        qint64 from = 0, to = 0;
        qint32 item = 0;
        in >> from >> to >> item;
        // In order of start, as the search needs them.
        if (!in.ok() || to == OPEN_END || (i > 0 && from < index.m_bounded.back().from) ||
            !take(from, to, item, index.m_bounded))
            return std::nullopt;
    }
    qint32 openEnded = 0;
    in >> openEnded;
    if (!in.ok() || openEnded != count - bounded)
        return std::nullopt;
    index.m_openEnded.reserve(size_t(openEnded));
    for (qint32 i = 0; i < openEnded; ++i) {
        qint64 from = 0;
        qint32 item = 0;
        in >> from >> item;
        if (!in.ok() || !take(from, OPEN_END, item, index.m_openEnded))
            return std::nullopt;
    }
    index.findLargestEnds();
    return index;
}
