#pragma once

#include "FileStamp.h"
#include "OverlapIndex.h"
#include "VdirItem.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class BinaryReader;
class BinaryWriter;
class IcsSeriesCodec;

// One calendar folder as the store's index holds it: per file an entry of one size with what finds it
// (name, stamp, uids, reach), decoded only for the files a query or a change asks for, beside where the
// files' occurrences lie. A warm start's first query so costs what its window holds, not what the
// folder holds. The texts and encoded series lie in the index's contents, those of one folder together.
class IndexedFolder {
public:
    // A file that repeats a series an earlier file holds (earlier in the index's order of folders and
    // files, the order in which a store that reads them all finds them): its item and the series' uid.
    using Repeat = std::pair<qint32, QString>;

    // `items` are the folder's, sorted by file name; their texts and encoded series are appended to
    // `contents`.
    static void write(BinaryWriter& out, const QList<const VdirItem*>& items,
                      const std::optional<FileStamp>& listing, const QList<Repeat>& repeats,
                      const std::shared_ptr<IcsSeriesCodec>& codec, QByteArray& contents);
    // Nothing when `in` does not go on with a folder as written. `in` reads from `table`; the contents
    // begin at `contents.at` in the index file.
    static std::optional<IndexedFolder> read(BinaryReader& in, const QByteArray& table, QString calendarUid,
                                             VdirItem::Stored contents);

    // The folder's stamp, taken before it was listed, when every event file listed is in it.
    const std::optional<FileStamp>& listing() const { return m_listing; }
    qint32 size() const { return m_overlaps.size(); }
    // Where in the contents (from their start) the folder's items lie.
    std::pair<qint64, qint64> contentsSpan() const { return {m_contentsBegin, m_contentsEnd}; }
    // Nothing when the entry is damaged.
    std::optional<VdirItem> item(qint32 number) const;
    std::optional<QString> fileName(qint32 number) const;
    // All, in order of file name; nothing when one is damaged.
    std::optional<QList<VdirItem>> items() const;
    // The numbers of the items whose occurrences may lie in [from, to], ascending.
    std::vector<qint32> overlapping(qint64 from, qint64 to) const { return m_overlaps.overlapping(from, to); }
    const QList<Repeat>& repeats() const { return m_repeats; }

private:
    IndexedFolder() = default;

    QByteArray m_table; // holds what the views show
    QByteArrayView m_entries;
    QByteArrayView m_names; // file names and the uids of files not named after theirs
    QString m_calendarUid;
    VdirItem::Stored m_contents;
    qint64 m_contentsBegin = 0;
    qint64 m_contentsEnd = 0;
    std::optional<FileStamp> m_listing;
    OverlapIndex m_overlaps;
    QList<Repeat> m_repeats;
};
