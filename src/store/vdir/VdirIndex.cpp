#include "VdirIndex.h"

#include "base/Logger.h"
#include "store/ics/IcsSeriesCodec.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <zlib.h>

namespace {

constexpr quint32 MAGIC = 0x564c4958; // "VLIX"
// Raise whenever what is written, or what the reader makes of a file, changes.
constexpr quint32 VERSION = 1;
constexpr QDataStream::Version STREAM_VERSION = QDataStream::Qt_6_4;
constexpr int HEADER_SIZE = 4 + 4 + 8 + 4;
// A file changed less than this before the index is written is parsed again at the next start.
constexpr qint64 SETTLED_NS = 2'000'000'000;

quint32 checksum(const char* bytes, qint64 size) {
    uLong sum = crc32(0, nullptr, 0);
    while (size > 0) {
        const uInt chunk = uInt(std::min<qint64>(size, 1 << 30));
        sum = crc32(sum, reinterpret_cast<const Bytef*>(bytes), chunk);
        bytes += chunk;
        size -= chunk;
    }
    return quint32(sum);
}

QByteArray encodeItems(const QList<const VdirItem*>& items, IcsSeriesCodec& codec) {
    const qint64 settled = QDateTime::currentMSecsSinceEpoch() * 1'000'000 - SETTLED_NS;
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(STREAM_VERSION);
    for (const VdirItem* item : items) {
        if (item->stamp.modifiedNs > settled)
            continue;
        out << true << item->source->calendarUid << item->source->fileName << qint64(item->stamp.modifiedNs)
            << quint64(item->stamp.inode) << qint64(item->stamp.size) << item->source->text
            << qint32(item->series.size());
        for (const IcsSeries& series : item->series)
            codec.write(out, series);
    }
    out << false;
    return body;
}

std::optional<VdirItem> decodeItem(QDataStream& in, IcsSeriesCodec& codec) {
    QString calendarUid, fileName;
    qint64 modified = 0, size = 0;
    quint64 inode = 0;
    QByteArray text;
    qint32 count = 0;
    in >> calendarUid >> fileName >> modified >> inode >> size >> text >> count;
    if (in.status() != QDataStream::Ok || count <= 0)
        return std::nullopt;
    VdirItem item;
    item.stamp = FileStamp{modified, inode, size};
    item.source = std::make_shared<const CalEventSource>(CalEventSource{calendarUid, fileName, text});
    for (qint32 i = 0; i < count; ++i) {
        std::optional<IcsSeries> series = codec.read(in);
        if (!series)
            return std::nullopt;
        item.series.append(std::move(*series));
    }
    return item;
}

} // namespace

QString VdirIndex::pathFor(const QString& rootDirectory) {
    const QByteArray root = QDir(rootDirectory).absolutePath().toUtf8();
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(root, QCryptographicHash::Sha256).toHex().left(24));
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/verdalune/store-%1.index").arg(name);
}

QString VdirIndex::key(const QString& calendarUid, const QString& fileName) {
    return calendarUid + u'/' + fileName;
}

QHash<QString, VdirItem> VdirIndex::load() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QDataStream header(bytes);
    quint32 magic = 0, version = 0, sum = 0;
    quint64 size = 0;
    header >> magic >> version >> size >> sum;
    const auto dropped = [&](const char* why) {
        VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
               QStringLiteral("%1: %2; the calendar files are read instead").arg(m_path, QLatin1String(why)));
        return QHash<QString, VdirItem>();
    };
    if (header.status() != QDataStream::Ok || magic != MAGIC || version != VERSION)
        return dropped("not an index of this version");
    if (size != quint64(bytes.size() - HEADER_SIZE) ||
        sum != checksum(bytes.constData() + HEADER_SIZE, bytes.size() - HEADER_SIZE))
        return dropped("damaged");

    QDataStream in(bytes);
    in.setVersion(STREAM_VERSION);
    in.skipRawData(HEADER_SIZE);
    QList<QByteArray> zones;
    in >> zones;
    IcsSeriesCodec codec;
    if (in.status() != QDataStream::Ok || !codec.setZoneNames(zones))
        return dropped("names zones this run does not know");
    QHash<QString, VdirItem> items;
    bool more = false;
    for (in >> more; more; in >> more) {
        std::optional<VdirItem> item = decodeItem(in, codec);
        if (!item)
            return dropped("damaged");
        items.insert(key(item->source->calendarUid, item->source->fileName), std::move(*item));
    }
    if (in.status() != QDataStream::Ok)
        return dropped("damaged");
    return items;
}

void VdirIndex::save(const QList<const VdirItem*>& items) const {
    IcsSeriesCodec codec;
    const QByteArray body = encodeItems(items, codec);
    QByteArray payload;
    QDataStream zones(&payload, QIODevice::WriteOnly);
    zones.setVersion(STREAM_VERSION);
    zones << codec.zoneNames();
    payload += body;

    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out << MAGIC << VERSION << quint64(payload.size()) << checksum(payload.constData(), payload.size());

    // The index holds the user's events: its folder is for the user only.
    const QString folder = QFileInfo(m_path).path();
    if (!QFileInfo::exists(folder) && QDir().mkpath(folder))
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size() ||
        file.write(payload) != payload.size() || !file.commit())
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 cannot be written: %2").arg(m_path, file.errorString()));
}
