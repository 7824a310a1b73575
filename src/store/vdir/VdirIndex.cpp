#include "VdirIndex.h"

#include "base/Logger.h"
#include "base/PrivateFile.h"
#include "store/ics/BinaryReader.h"
#include "store/ics/BinaryWriter.h"
#include "store/ics/IcsSeriesCodec.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

namespace {

constexpr quint32 MAGIC = 0x564c4958; // "VLIX"
// Raise whenever what is written, or what the reader makes of a file, changes.
constexpr quint32 VERSION = 7;
constexpr qsizetype HEADER_SIZE = 4 + 4 + 8 + 8;

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

QByteArray encodeItems(const QList<const VdirItem*>& items, const std::shared_ptr<IcsSeriesCodec>& codec) {
    const qint64 settled = QDateTime::currentMSecsSinceEpoch() * 1'000'000 - VdirIndex::SETTLED_NS;
    BinaryWriter out;
    for (const VdirItem* item : items) {
        // The inode change time counts, as the modification time may have been set back.
        const FileStamp& stamp = item->stamp;
        if (std::max(stamp.modifiedNs, stamp.changedNs) > settled)
            continue;
        const auto [from, to] = item->reach();
        out << true << item->source->calendarUid << item->source->fileName << qint64(stamp.modifiedNs)
            << qint64(stamp.changedNs) << quint64(stamp.inode) << qint64(stamp.size) << item->source->text
            << item->uids() << from << to;
        // Series still encoded with this codec's zones go back as they came.
        if (const VdirItem::Encoded* encoded = item->encoded(); encoded && encoded->codec == codec) {
            out << encoded->count
                << QByteArray::fromRawData(encoded->bytes->constData() + encoded->at, encoded->size);
            continue;
        }
        BinaryWriter series;
        for (const IcsSeries& one : item->series())
            codec->write(series, one);
        out << qint32(item->series().size()) << series.bytes();
    }
    out << false;
    return out.bytes();
}

std::optional<VdirItem> decodeItem(BinaryReader& in, const std::shared_ptr<const QByteArray>& bytes,
                                   const std::shared_ptr<IcsSeriesCodec>& codec) {
    QString calendarUid, fileName;
    qint64 modified = 0, changed = 0, size = 0, from = 0, to = 0;
    quint64 inode = 0;
    QByteArray text;
    QStringList uids;
    qint32 count = 0;
    in >> calendarUid >> fileName >> modified >> changed >> inode >> size >> text >> uids >> from >> to >>
        count;
    const QByteArrayView series = in.readView();
    if (!in.ok() || count <= 0 || uids.size() != count)
        return std::nullopt;
    return VdirItem(
        FileStamp{modified, changed, inode, size},
        std::make_shared<const CalEventSource>(CalEventSource{calendarUid, fileName, text}), std::move(uids),
        {from, to},
        VdirItem::Encoded{bytes, series.data() - bytes->constData(), series.size(), count, codec});
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
    PrivateFile::Contents contents = PrivateFile::read(m_path, MAX_SIZE);
    if (contents.outcome == PrivateFile::Outcome::Refused)
        VL_LOG(
            LCALSTORE, Logger::LOG_WARNING_LEVEL,
            QStringLiteral("%1 is not used (%2); the calendar files are read instead and it is written anew")
                .arg(m_path, contents.why));
    if (contents.outcome != PrivateFile::Outcome::Read)
        return {};
    const auto bytes = std::make_shared<const QByteArray>(std::move(contents.bytes));
    BinaryReader header(*bytes);
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
    const QByteArrayView payload = QByteArrayView(*bytes).sliced(HEADER_SIZE);
    if (size != quint64(payload.size()) || sum != checksum(payload))
        return dropped("damaged");

    BinaryReader in(payload);
    QList<QByteArray> zones;
    in >> zones;
    auto codec = std::make_shared<IcsSeriesCodec>();
    if (!in.ok() || !codec->setZoneNames(zones))
        return dropped("names zones this run does not know");
    Items items;
    bool more = false;
    for (in >> more; more && in.ok(); in >> more) {
        std::optional<VdirItem> item = decodeItem(in, bytes, codec);
        if (!item)
            return dropped("damaged");
        items[item->source->calendarUid].insert(item->source->fileName, std::move(*item));
    }
    if (!in.ok() || !in.atEnd())
        return dropped("damaged");
    m_codec = codec;
    return items;
}

void VdirIndex::save(const QList<const VdirItem*>& items) const {
    // Numbering zones after the loaded index's lets its still encoded series be copied as they are.
    const std::shared_ptr<IcsSeriesCodec> codec = m_codec ? m_codec : std::make_shared<IcsSeriesCodec>();
    const QByteArray body = encodeItems(items, codec);
    BinaryWriter zones;
    zones << codec->zoneNames();
    const QByteArray payload = zones.bytes() + body;
    BinaryWriter header;
    header << MAGIC << VERSION << quint64(payload.size()) << checksum(payload);
    const QByteArray bytes = header.bytes() + payload;

    if (bytes.size() > MAX_SIZE)
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 is not written: the calendars need more than %2 MB")
                   .arg(m_path)
                   .arg(MAX_SIZE >> 20));
    else if (const auto failure = PrivateFile::write(m_path, bytes))
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1 cannot be written: %2").arg(m_path, *failure));
}
