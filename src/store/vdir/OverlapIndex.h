#pragma once

#include <QList>

#include <utility>
#include <vector>

class VdirItem;

// Which items may have occurrences in a window, found without looking at the others: bounded reaches
// sorted by start beside the largest end up to each, and the open-ended ones (series that never end)
// apart, as they overlap every window after their start and would make every largest end endless.
class OverlapIndex {
public:
    // Items are added in the order `overlapping` gives them back in, then `build` readies the index.
    void add(const VdirItem* item, std::pair<qint64, qint64> reach);
    void build();
    QList<const VdirItem*> overlapping(qint64 from, qint64 to) const;

private:
    struct Entry {
        qint64 from;
        qint64 to;
        qsizetype order;
        const VdirItem* item;
    };

    std::vector<Entry> m_bounded;    // by start
    std::vector<qint64> m_largestTo; // of m_bounded up to each
    std::vector<Entry> m_openEnded;
};
