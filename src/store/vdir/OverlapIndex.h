#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QtGlobal>

class BinaryReader;
class BinaryWriter;

// Which items may have occurrences in a window, found without looking at the others: bounded reaches
// sorted by start beside the largest end up to each, and the open-ended ones (series that never end)
// apart, as they overlap every window after their start and would make every largest end endless.
// Items are known by the order they were added in; the store's index keeps one per calendar folder, so
// that a start need not gather every item's reach again.
class OverlapIndex {
public:
    // The next item, number `size()`; `build` readies the index once all are added.
    void add(std::pair<qint64, qint64> reach);
    void build();
    qint32 size() const { return qint32(m_bounded.size() + m_openEnded.size()); }
    // The numbers of the items whose reach overlaps [from, to], ascending.
    std::vector<qint32> overlapping(qint64 from, qint64 to) const;

    void write(BinaryWriter& out) const;
    // Nothing unless the bytes are a built index of items 0 to `count` - 1, each once.
    static std::optional<OverlapIndex> read(BinaryReader& in, qint32 count);

private:
    struct Entry {
        qint64 from;
        qint64 to;
        qint32 item;
    };

    void findLargestEnds();

    std::vector<Entry> m_bounded;    // by start
    std::vector<qint64> m_largestTo; // of m_bounded up to each
    std::vector<Entry> m_openEnded;
};
