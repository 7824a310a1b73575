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
constexpr quint32 VERSION = 10;
constexpr qsizetype HEADER_SIZE = 4 + 4 + 8 + 8;

// Per calendar its uid, then its items; the contents go to `contents`.
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
    // Empty folders too: a start takes a store on trust only when it can take every folder so.
    for (auto listing = listings.cbegin(); listing != listings.cend(); ++listing)
        if (!byCalendar.contains(listing.key()) && !incomplete.contains(listing.key()))
            calendars.append(listing.key());
    // Which files repeat the series of an earlier one, as a store reading them in this order finds them.
    QHash<QString, const VdirItem*> holders;
    QHash<QString, QList<IndexedFolder::Repeat>> repeats;
    for (const QString& calendarUid : std::as_const(calendars)) {
        const QList<const VdirItem*>& inCalendar = byCalendar[calendarUid];
        for (qint32 number = 0; number < inCalendar.size(); ++number)
            for (const QString& uid : inCalendar[number]->uids()) {
                const VdirItem* holder = holders.value(uid);
                if (!holder)
                    holders.insert(uid, inCalendar[number]);
                else if (holder != inCalendar[number] && !uid.isEmpty())
                    repeats[calendarUid].append({number, uid});
            }
    }
    BinaryWriter out;
    for (const QString& calendarUid : std::as_const(calendars)) {
        const auto listing = listings.constFind(calendarUid);
        out << true << calendarUid;
        IndexedFolder::write(out, byCalendar[calendarUid],
                             listing != listings.cend() && !incomplete.contains(calendarUid)
                                 ? std::optional(*listing)
                                 : std::nullopt,
                             repeats[calendarUid], codec, contents);
    }
    out << false;
    return out.bytes();
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
    qint64 contentsEnd = 0; // the folders' contents follow each other
    bool more = false;
    for (in >> more; more && in.ok(); in >> more) {
        QString calendarUid;
        in >> calendarUid;
        const VdirItem::Stored inFolder{
            std::make_shared<const VdirItem::Origin>(
                VdirItem::Origin{file, codec, QDir(rootDirectory).filePath(calendarUid), m_damaged}),
            contentsAt};
        std::optional<IndexedFolder> folder = IndexedFolder::read(in, *table, calendarUid, inFolder);
        if (!folder || folders.contains(calendarUid) || folder->contentsSpan().first != contentsEnd)
            return dropped("damaged");
        contentsEnd = folder->contentsSpan().second;
        folders.insert(calendarUid, std::move(*folder));
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
    // Not put together: the contents are most of a large index.
    const QList<QByteArrayView> pieces{header.bytes(), table, contents};
    if (header.bytes().size() + table.size() + contents.size() > MAX_SIZE)
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 is not written: the calendars need more than %2 MB")
                   .arg(m_path)
                   .arg(MAX_SIZE >> 20));
    else if (const auto failure = PrivateFile::write(m_path, pieces))
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 cannot be written: %2").arg(m_path, *failure));
}
