#pragma once

#include "VdirItem.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>

// A cache of the parsed event files of one vdir tree, so that a start need not parse files that did not
// change: per file its stamp, its text and its series. It is never trusted over the files: the store
// takes an entry only while the file's stamp is the one recorded, and a missing, damaged or older index
// reads as empty and is written anew. It is replaced atomically, so processes sharing it see one whole
// version or another. It is a file of ours: whatever else is at its path is not read, and is replaced.
//
// A table of what finds an item (names, stamps, uids, reach) comes first and is all a start reads; the
// texts and encoded series follow, each with its own checksum, and are read when an item is first used.
class VdirIndex {
public:
    // Generous: 10,000 events as people keep them take about 12 MB.
    static constexpr qint64 MAX_SIZE = qint64(1) << 30;
    // A file changed less than this before the index is written is parsed again at the next start:
    // another change within the same tick of the file system's clock would keep its stamp.
    static constexpr qint64 SETTLED_NS = 2'000'000'000;

    // The index of the tree at `rootDirectory`, under $XDG_CACHE_HOME/verdalune.
    static QString pathFor(const QString& rootDirectory);
    explicit VdirIndex(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }

    // The items by calendar uid, each calendar's sorted by file name.
    using Items = QHash<QString, QList<VdirItem>>;

    // Empty when there is no usable index. `rootDirectory` is where the items' files are.
    Items load(const QString& rootDirectory) const;
    // Files changed within SETTLED_NS are left out. Failing to write only costs the next start its speed,
    // so it is merely logged.
    void save(const QList<const VdirItem*>& items) const;
    // Whether an item of the index last loaded could not be read back from it.
    bool isDamaged() const { return *m_damaged; }

private:
    QString m_path;
    mutable std::shared_ptr<IcsSeriesCodec> m_codec; // of the index last loaded
    mutable std::shared_ptr<bool> m_damaged = std::make_shared<bool>(false);
};
