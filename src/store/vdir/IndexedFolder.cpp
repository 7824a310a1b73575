#include "IndexedFolder.h"

#include "VdirCalendarFolder.h"
#include "indexChecksum.h"
#include "store/ics/BinaryReader.h"
#include "store/ics/BinaryWriter.h"
#include "store/ics/IcsSeriesCodec.h"

#include <QFile>

#include <cstring>

namespace {

// Stamp (4), reach (2), where the contents are and their checksum (2) as 64-bit values; then the text
// and series sizes, the series count, and where the name and any uids are, as 32-bit ones.
constexpr qsizetype ENTRY_SIZE = 8 * 8 + 7 * 4;

struct Entry {
    FileStamp stamp;
    qint64 from = 0, to = 0, at = 0;
    quint64 checksum = 0;
    qint32 textSize = 0, seriesSize = 0, count = 0, nameAt = 0, nameLength = 0, uidsAt = 0, uidsSize = 0;
};

// The uid a file named "<uid>.ics" is named after.
QString nameUid(const QString& fileName) {
    return fileName.chopped(std::min<qsizetype>(fileName.size(), 4));
}

// The text and encoded series of an item: copied as they are while the zones are numbered the same.
QByteArray contentsOf(const VdirItem& item, const std::shared_ptr<IcsSeriesCodec>& codec, qint32& textSize) {
    if (const VdirItem::Stored* stored = item.stored(); stored && stored->origin->codec == codec)
        if (std::optional<QByteArray> bytes = stored->bytes()) {
            textSize = stored->textSize;
            return *bytes;
        }
    BinaryWriter series;
    for (const IcsSeries& one : item.series())
        codec->write(series, one);
    textSize = qint32(item.source()->text.size());
    return item.source()->text + series.bytes();
}

std::optional<Entry> entryAt(QByteArrayView entries, qint32 number) {
    if (number < 0 || qsizetype(number) >= entries.size() / ENTRY_SIZE)
        return std::nullopt;
    BinaryReader in(entries.sliced(qsizetype(number) * ENTRY_SIZE, ENTRY_SIZE));
    Entry entry;
    FileStamp& stamp = entry.stamp;
    in >> stamp.modifiedNs >> stamp.changedNs >> stamp.inode >> stamp.size >> entry.from >> entry.to >>
        entry.at >> entry.checksum >> entry.textSize >> entry.seriesSize >> entry.count >> entry.nameAt >>
        entry.nameLength >> entry.uidsAt >> entry.uidsSize;
    return in.ok() ? std::optional(entry) : std::nullopt;
}

bool holds(QByteArrayView bytes, qint32 at, qint64 size) {
    return at >= 0 && size >= 0 && size <= bytes.size() - at;
}

} // namespace

void IndexedFolder::write(BinaryWriter& out, const QList<const VdirItem*>& items,
                          const std::optional<FileStamp>& listing, const QList<Repeat>& repeats,
                          const std::shared_ptr<IcsSeriesCodec>& codec, QByteArray& contents) {
    out << listing.has_value();
    if (listing)
        out << listing->modifiedNs << listing->changedNs << listing->inode << listing->size;
    BinaryWriter entries;
    QByteArray names;
    OverlapIndex overlaps;
    const qint64 begin = contents.size();
    for (const VdirItem* item : items) {
        qint32 textSize = 0;
        const QByteArray bytes = contentsOf(*item, codec, textSize);
        const QString& name = item->fileName();
        const qint32 nameAt = qint32(names.size());
        names.append(reinterpret_cast<const char*>(name.utf16()), name.size() * qsizetype(sizeof(char16_t)));
        // Most files are named after the one series they hold: the uid is not written twice.
        qint32 uidsAt = -1, uidsSize = 0;
        if (item->uids() != QStringList{nameUid(name)}) {
            BinaryWriter uids;
            uids << item->uids();
            uidsAt = qint32(names.size());
            uidsSize = qint32(uids.bytes().size());
            names += uids.bytes();
        }
        const FileStamp& stamp = item->stamp;
        const auto [from, to] = item->reach();
        entries << stamp.modifiedNs << stamp.changedNs << stamp.inode << stamp.size << from << to
                << qint64(contents.size()) << indexChecksum(bytes) << textSize
                << qint32(bytes.size() - textSize) << qint32(item->series().size()) << nameAt
                << qint32(name.size()) << uidsAt << uidsSize;
        overlaps.add({from, to});
        contents += bytes;
    }
    overlaps.build();
    out << qint32(items.size()) << begin << qint64(contents.size()) << entries.bytes() << names;
    overlaps.write(out);
    out << qint32(repeats.size());
    for (const auto& [item, uid] : repeats)
        out << item << uid;
}

std::optional<IndexedFolder> IndexedFolder::read(BinaryReader& in, const QByteArray& table,
                                                 QString calendarUid, VdirItem::Stored contents) {
    IndexedFolder folder;
    bool listed = false;
    in >> listed;
    if (listed) {
        FileStamp listing;
        in >> listing.modifiedNs >> listing.changedNs >> listing.inode >> listing.size;
        folder.m_listing = listing;
    }
    qint32 count = 0;
    in >> count >> folder.m_contentsBegin >> folder.m_contentsEnd;
    folder.m_entries = in.readView();
    folder.m_names = in.readView();
    if (!in.ok() || count < 0 || folder.m_entries.size() != qsizetype(count) * ENTRY_SIZE ||
        folder.m_contentsBegin < 0 || folder.m_contentsEnd < folder.m_contentsBegin)
        return std::nullopt;
    std::optional<OverlapIndex> overlaps = OverlapIndex::read(in, count);
    if (!overlaps)
        return std::nullopt;
    folder.m_overlaps = std::move(*overlaps);
    qint32 repeats = 0;
    in >> repeats;
    for (qint32 i = 0; i < repeats && in.ok(); ++i) {
        Repeat repeat;
        in >> repeat.first >> repeat.second;
        if (repeat.first < 0 || repeat.first >= count)
            return std::nullopt;
        folder.m_repeats.append(std::move(repeat));
    }
    if (!in.ok())
        return std::nullopt;
    folder.m_table = table;
    folder.m_calendarUid = std::move(calendarUid);
    folder.m_contents = std::move(contents);
    return folder;
}

std::optional<QString> IndexedFolder::fileName(qint32 number) const {
    const std::optional<Entry> entry = entryAt(m_entries, number);
    if (!entry || !holds(m_names, entry->nameAt, qint64(entry->nameLength) * qint64(sizeof(char16_t))))
        return std::nullopt;
    QString name(entry->nameLength, Qt::Uninitialized);
    std::memcpy(name.data(), m_names.data() + entry->nameAt, size_t(entry->nameLength) * sizeof(char16_t));
    // Only a name a listing of the folder could give: the store writes and removes files by these names.
    if (name.contains(u'/') || name.contains(QChar(0)) ||
        !VdirCalendarFolder::isItemFileName(QFile::encodeName(name)))
        return std::nullopt;
    return name;
}

std::optional<VdirItem> IndexedFolder::item(qint32 number) const {
    const std::optional<Entry> entry = entryAt(m_entries, number);
    std::optional<QString> name = fileName(number);
    if (!entry || !name)
        return std::nullopt;
    QStringList uids;
    if (entry->uidsAt < 0) {
        uids = QStringList{nameUid(*name)};
    } else {
        if (!holds(m_names, entry->uidsAt, entry->uidsSize))
            return std::nullopt;
        BinaryReader in(m_names.sliced(entry->uidsAt, entry->uidsSize));
        in >> uids;
        if (!in.ok() || !in.atEnd())
            return std::nullopt;
    }
    // Its contents lie within the folder's.
    if (entry->count <= 0 || uids.size() != entry->count || entry->textSize < 0 || entry->seriesSize < 0 ||
        entry->at < m_contentsBegin || entry->at > m_contentsEnd ||
        qint64(entry->textSize) + entry->seriesSize > m_contentsEnd - entry->at)
        return std::nullopt;
    VdirItem::Stored stored = m_contents;
    stored.at += entry->at;
    stored.textSize = entry->textSize;
    stored.seriesSize = entry->seriesSize;
    stored.count = entry->count;
    stored.checksum = entry->checksum;
    return VdirItem(entry->stamp, m_calendarUid, std::move(*name), std::move(uids), {entry->from, entry->to},
                    std::move(stored));
}

std::optional<QList<VdirItem>> IndexedFolder::items() const {
    QList<VdirItem> all;
    all.reserve(size());
    for (qint32 number = 0; number < size(); ++number) {
        std::optional<VdirItem> item = this->item(number);
        // In order, as the store reads a folder.
        if (!item || (!all.isEmpty() && !(all.constLast().fileName() < item->fileName())))
            return std::nullopt;
        all.append(std::move(*item));
    }
    return all;
}
