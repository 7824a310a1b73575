#pragma once

#include "IndexedFolder.h"
#include "VdirItem.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// A cache of the parsed event files of one vdir tree, so that a start need not parse files that did not
// change: per file its stamp, its text and its series. It is never trusted over the files: the store
// takes an entry only while the file's stamp is the one recorded, and a missing, damaged or older index
// reads as empty and is written anew. It is replaced atomically, so processes sharing it see one whole
// version or another. It is a file of ours: whatever else is at its path is not read, and is replaced.
//
// A table of what finds an item (names, stamps, uids, reach) comes first and is all a start reads, and of
// it only the entries a query or a change needs are decoded (IndexedFolder); the texts and encoded series
// follow, each with its own checksum, and are read when an item is first used. The table also keeps each
// folder's own stamp from when all of its files were listed: while the folder keeps that stamp, no file
// was added, removed or replaced in it since, and a start need not list it.
class VdirIndex {
public:
    // Generous: 10,000 events as people keep them take about 12 MB.
    static constexpr qint64 MAX_SIZE = qint64(1) << 30;
    // A file changed less than this before the index is written is parsed again at the next start:
    // another change within the same tick of the file system's clock would keep its stamp.
    static constexpr qint64 SETTLED_NS = 2'000'000'000;
    // A stamp whose last change is at or before this, SETTLED_NS before now, is settled.
    static qint64 settledBefore();

    // The index of the tree at `rootDirectory`, under $XDG_CACHE_HOME/verdalune.
    static QString pathFor(const QString& rootDirectory);
    explicit VdirIndex(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }

    using Folders = QHash<QString, IndexedFolder>; // by calendar uid

    // Empty when there is no usable index. `rootDirectory` is where the items' files are.
    Folders load(const QString& rootDirectory) const;
    // Files changed within SETTLED_NS are left out (another change in the same tick of the clock would
    // keep the stamp), and so are the listings of their folders. Failing to write only costs the next
    // start its speed, so it is merely logged.
    void save(const QList<const VdirItem*>& items, const QHash<QString, FileStamp>& listings) const;
    // Whether an item of the index last loaded could not be read back from it.
    bool isDamaged() const { return *m_damaged; }

private:
    QString m_path;
    mutable std::shared_ptr<IcsSeriesCodec> m_codec; // of the index last loaded
    mutable std::shared_ptr<bool> m_damaged = std::make_shared<bool>(false);
};
