#include "VdirIndex.h"

#include "base/Logger.h"
#include "store/ics/BinaryReader.h"
#include "store/ics/BinaryWriter.h"
#include "store/ics/IcsSeriesCodec.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>

namespace {

constexpr quint32 MAGIC = 0x564c4958; // "VLIX"
// Raise whenever what is written, or what the reader makes of a file, changes.
constexpr quint32 VERSION = 1;
constexpr qsizetype HEADER_SIZE = 4 + 4 + 8 + 8;
// A file changed less than this before the index is written is parsed again at the next start.
constexpr qint64 SETTLED_NS = 2'000'000'000;

// Catches a damaged or cut index, nothing more: eight bytes a step, several times faster than a CRC.
quint64 checksum(QByteArrayView bytes) {
    quint64 sum = 0x9e3779b97f4a7c15ULL ^ quint64(bytes.size());
    qsizetype at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        sum = (sum ^ word) * 0x100000001b3ULL;
        sum ^= sum >> 29;
    }
    for (; at < bytes.size(); ++at)
        sum = (sum ^ quint8(bytes[at])) * 0x100000001b3ULL;
    return sum;
}

QByteArray encodeItems(const QList<const VdirItem*>& items, IcsSeriesCodec& codec) {
    const qint64 settled = QDateTime::currentMSecsSinceEpoch() * 1'000'000 - SETTLED_NS;
    BinaryWriter out;
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
    return out.bytes();
}

std::optional<VdirItem> decodeItem(BinaryReader& in, IcsSeriesCodec& codec) {
    QString calendarUid, fileName;
    qint64 modified = 0, size = 0;
    quint64 inode = 0;
    QByteArray text;
    qint32 count = 0;
    in >> calendarUid >> fileName >> modified >> inode >> size >> text >> count;
    if (!in.ok() || count <= 0)
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

VdirIndex::Items VdirIndex::load() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    BinaryReader header(bytes);
    quint32 magic = 0, version = 0;
    quint64 size = 0, sum = 0;
    header >> magic >> version >> size >> sum;
    const auto dropped = [&](const char* why) {
        VL_LOG(LCALSTORE, Logger::LOG_INFO_LEVEL,
               QStringLiteral("%1: %2; the calendar files are read instead").arg(m_path, QLatin1String(why)));
        return Items();
    };
    if (!header.ok() || magic != MAGIC || version != VERSION)
        return dropped("not an index of this version");
    const QByteArrayView payload = QByteArrayView(bytes).sliced(HEADER_SIZE);
    if (size != quint64(payload.size()) || sum != checksum(payload))
        return dropped("damaged");

    BinaryReader in(payload);
    QList<QByteArray> zones;
    in >> zones;
    IcsSeriesCodec codec;
    if (!in.ok() || !codec.setZoneNames(zones))
        return dropped("names zones this run does not know");
    Items items;
    bool more = false;
    for (in >> more; more && in.ok(); in >> more) {
        std::optional<VdirItem> item = decodeItem(in, codec);
        if (!item)
            return dropped("damaged");
        items[item->source->calendarUid].insert(item->source->fileName, std::move(*item));
    }
    if (!in.ok() || !in.atEnd())
        return dropped("damaged");
    return items;
}

void VdirIndex::save(const QList<const VdirItem*>& items) const {
    IcsSeriesCodec codec;
    const QByteArray body = encodeItems(items, codec);
    BinaryWriter zones;
    zones << codec.zoneNames();
    const QByteArray payload = zones.bytes() + body;
    BinaryWriter header;
    header << MAGIC << VERSION << quint64(payload.size()) << checksum(payload);

    // The index holds the user's events: its folder is for the user only.
    const QString folder = QFileInfo(m_path).path();
    if (!QFileInfo::exists(folder) && QDir().mkpath(folder))
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header.bytes()) != header.bytes().size() ||
        file.write(payload) != payload.size() || !file.commit())
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 cannot be written: %2").arg(m_path, file.errorString()));
}
