#include "VdirIndex.h"

#include "VdirIndexFile.h"
#include "base/Logger.h"
#include "base/PrivateFile.h"
#include "indexChecksum.h"
#include "store/ics/BinaryReader.h"
#include "store/ics/BinaryWriter.h"
#include "store/ics/IcsSeriesCodec.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr quint32 MAGIC = 0x564c4958; // "VLIX"
// Raise whenever what is written, or what the reader makes of a file, changes.
constexpr quint32 VERSION = 9;
constexpr qsizetype HEADER_SIZE = 4 + 4 + 8 + 8;

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

// Per calendar its uid and listing, then its items; the contents go to `contents`.
QByteArray encodeItems(const QList<const VdirItem*>& items, const QHash<QString, FileStamp>& listings,
                       const std::shared_ptr<IcsSeriesCodec>& codec, QByteArray& contents) {
    const qint64 settled = VdirIndex::settledBefore();
    QHash<QString, QList<const VdirItem*>> byCalendar;
    QStringList calendars;
    QSet<QString> incomplete; // calendars with items left out: their listings would hide them
    for (const VdirItem* item : items) {
        // An item neither the index nor its file could give back is read anew at the next start.
        if (item->stamp.lastChangeNs() > settled || item->series().isEmpty()) {
            incomplete.insert(item->calendarUid());
            continue;
        }
        if (!byCalendar.contains(item->calendarUid()))
            calendars.append(item->calendarUid());
        byCalendar[item->calendarUid()].append(item);
    }
    BinaryWriter out;
    for (const QString& calendarUid : std::as_const(calendars)) {
        const QList<const VdirItem*>& inCalendar = byCalendar[calendarUid];
        const auto listing = listings.constFind(calendarUid);
        const bool listed = listing != listings.cend() && !incomplete.contains(calendarUid);
        out << true << calendarUid << listed;
        if (listed)
            out << qint64(listing->modifiedNs) << qint64(listing->changedNs) << quint64(listing->inode)
                << qint64(listing->size);
        out << qint32(inCalendar.size());
        for (const VdirItem* item : inCalendar) {
            const FileStamp& stamp = item->stamp;
            const auto [from, to] = item->reach();
            qint32 textSize = 0;
            const QByteArray bytes = contentsOf(*item, codec, textSize);
            out << item->fileName() << qint64(stamp.modifiedNs) << qint64(stamp.changedNs)
                << quint64(stamp.inode) << qint64(stamp.size);
            // Most files are named after the one series they hold: the uid is not written twice.
            const bool named = item->uids() == QStringList{nameUid(item->fileName())};
            out << named;
            if (!named)
                out << item->uids();
            out << from << to << qint64(contents.size()) << textSize << qint32(bytes.size() - textSize)
                << qint32(item->series().size()) << indexChecksum(bytes);
            contents += bytes;
        }
    }
    out << false;
    return out.bytes();
}

// Nothing when the item's entry is damaged or points outside the contents, which start at `stored.at`
// and end at `contentsEnd` (moved to the end of the item's).
std::optional<VdirItem> decodeItem(BinaryReader& in, const QString& calendarUid, VdirItem::Stored stored,
                                   qint64& contentsEnd) {
    QString fileName;
    qint64 modified = 0, changed = 0, size = 0, from = 0, to = 0, at = 0;
    quint64 inode = 0;
    QStringList uids;
    bool named = false;
    in >> fileName >> modified >> changed >> inode >> size >> named;
    if (named)
        uids = QStringList{nameUid(fileName)};
    else
        in >> uids;
    in >> from >> to >> at >> stored.textSize >> stored.seriesSize >> stored.count >> stored.checksum;
    const qint64 end = at + stored.textSize + stored.seriesSize;
    if (!in.ok() || stored.count <= 0 || uids.size() != stored.count || at < 0 || stored.textSize < 0 ||
        stored.seriesSize < 0 || end > stored.origin->file->size() - stored.at)
        return std::nullopt;
    contentsEnd = std::max(contentsEnd, end);
    stored.at += at;
    return VdirItem(FileStamp{modified, changed, inode, size}, calendarUid, std::move(fileName),
                    std::move(uids), {from, to}, std::move(stored));
}

} // namespace

qint64 VdirIndex::settledBefore() {
    return QDateTime::currentMSecsSinceEpoch() * 1'000'000 - SETTLED_NS;
}

QString VdirIndex::pathFor(const QString& rootDirectory) {
    const QByteArray root = QDir(rootDirectory).absolutePath().toUtf8();
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(root, QCryptographicHash::Sha256).toHex().left(24));
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/verdalune/store-%1.index").arg(name);
}

VdirIndex::Folders VdirIndex::load(const QString& rootDirectory) const {
    BoundedFile::Contents refusal;
    const std::shared_ptr<const VdirIndexFile> file = VdirIndexFile::open(m_path, MAX_SIZE, refusal);
    if (!file && refusal.outcome == BoundedFile::Outcome::Refused)
        VL_LOG(
            LCALSTORE, Logger::LOG_WARNING_LEVEL,
            QStringLiteral("%1 is not used (%2); the calendar files are read instead and it is written anew")
                .arg(m_path, refusal.why));
    if (!file)
        return {};
    const auto dropped = [&](const char* why) {
        VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
               QStringLiteral("%1: %2; the calendar files are read instead").arg(m_path, QLatin1String(why)));
        return Folders();
    };
    const QByteArray header = file->read(0, HEADER_SIZE).value_or(QByteArray());
    BinaryReader headerIn(header);
    quint32 magic = 0, version = 0;
    quint64 tableSize = 0, sum = 0;
    headerIn >> magic >> version >> tableSize >> sum;
    if (!headerIn.ok() || magic != MAGIC || version != VERSION)
        return dropped("not an index of this version");
    const std::optional<QByteArray> table =
        tableSize > quint64(MAX_SIZE) ? std::nullopt : file->read(HEADER_SIZE, qint64(tableSize));
    if (!table || sum != indexChecksum(*table))
        return dropped("damaged");

    BinaryReader in(*table);
    QList<QByteArray> zones;
    in >> zones;
    auto codec = std::make_shared<IcsSeriesCodec>();
    if (!in.ok() || !codec->setZoneNames(zones))
        return dropped("names zones this run does not know");
    const qint64 contentsAt = HEADER_SIZE + qint64(tableSize);
    Folders folders;
    qint64 contentsEnd = 0;
    bool more = false;
    for (in >> more; more && in.ok(); in >> more) {
        QString calendarUid;
        bool listed = false;
        in >> calendarUid >> listed;
        Folder& folder = folders[calendarUid];
        if (listed) {
            qint64 modified = 0, changed = 0, size = 0;
            quint64 inode = 0;
            in >> modified >> changed >> inode >> size;
            folder.listing = FileStamp{modified, changed, inode, size};
        }
        qint32 count = 0;
        in >> count;
        QList<VdirItem>& inCalendar = folder.items;
        // An entry takes more than 64 bytes: a damaged count reserves no more than the table holds.
        inCalendar.reserve(qsizetype(std::min<qint64>(count, table->size() / 64)));
        const VdirItem::Stored inFolder{
            std::make_shared<const VdirItem::Origin>(
                VdirItem::Origin{file, codec, QDir(rootDirectory).filePath(calendarUid), m_damaged}),
            contentsAt};
        for (qint32 i = 0; i < count && in.ok(); ++i) {
            std::optional<VdirItem> item = decodeItem(in, calendarUid, inFolder, contentsEnd);
            if (!item)
                return dropped("damaged");
            // In order, as the store reads a folder.
            if (!inCalendar.isEmpty() && !(inCalendar.constLast().fileName() < item->fileName()))
                return dropped("damaged");
            inCalendar.append(std::move(*item));
        }
    }
    if (!in.ok() || !in.atEnd() || contentsEnd != file->size() - contentsAt)
        return dropped("damaged");
    m_codec = codec;
    return folders;
}

void VdirIndex::save(const QList<const VdirItem*>& items, const QHash<QString, FileStamp>& listings) const {
    // Numbering zones after the loaded index's lets its still encoded series be copied as they are.
    const std::shared_ptr<IcsSeriesCodec> codec = m_codec ? m_codec : std::make_shared<IcsSeriesCodec>();
    QByteArray contents;
    const QByteArray body = encodeItems(items, listings, codec, contents);
    BinaryWriter zones;
    zones << codec->zoneNames();
    const QByteArray table = zones.bytes() + body;
    BinaryWriter header;
    header << MAGIC << VERSION << quint64(table.size()) << indexChecksum(table);
    *m_damaged = false; // the items that were are written from their files
    const QByteArray bytes = header.bytes() + table + contents;

    if (bytes.size() > MAX_SIZE)
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 is not written: the calendars need more than %2 MB")
                   .arg(m_path)
                   .arg(MAX_SIZE >> 20));
    else if (const auto failure = PrivateFile::write(m_path, bytes))
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 cannot be written: %2").arg(m_path, *failure));
}
