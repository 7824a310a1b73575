#include "VdirItem.h"

#include "base/BoundedFile.h"
#include "base/Logger.h"
#include "store/ics/BinaryReader.h"
#include "store/ics/IcsReader.h"
#include "store/ics/IcsSeriesCodec.h"

#include <QDir>

#include <limits>

namespace {

QStringList uidsOf(const QList<IcsSeries>& series) {
    QStringList result;
    for (const IcsSeries& one : series)
        result.append(one.uid());
    return result;
}

} // namespace

std::optional<VdirItem> VdirItem::load(const QString& calendarUid, const QString& folderPath,
                                       const QString& fileName, const std::optional<FileStamp>& stamp,
                                       QString& warning) {
    const QString path = QDir(folderPath).filePath(fileName);
    if (!stamp) {
        warning = QStringLiteral("%1: cannot be read").arg(path);
        return std::nullopt;
    }
    // Calendar files are small: a huge one is a mistake or an attack, and reading it would stall every
    // start. Only what the file holds is reserved, as the text is kept as long as its events.
    if (stamp->size > MAX_FILE_SIZE) {
        warning = QStringLiteral("%1 is skipped: larger than %2 MB").arg(path).arg(MAX_FILE_SIZE >> 20);
        return std::nullopt;
    }
    BoundedFile::Contents contents = BoundedFile::read(path, MAX_FILE_SIZE, BoundedFile::Links::Follow);
    if (contents.outcome != BoundedFile::Outcome::Read) {
        warning = contents.outcome == BoundedFile::Outcome::Missing
                      ? QStringLiteral("%1: cannot be read").arg(path)
                      : QStringLiteral("%1 is skipped: %2").arg(path, contents.why);
        return std::nullopt;
    }
    const QByteArray text = std::move(contents.bytes);
    IcsReadResult read = IcsReader::read(text);
    if (read.malformed || read.series.isEmpty()) {
        warning = QStringLiteral("%1 is skipped: %2").arg(path, read.warnings.join(QStringLiteral("; ")));
        return std::nullopt;
    }
    // Said here, where a file is read once per change on disk, not by the queries that use its events.
    if (!read.warnings.isEmpty())
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1: %2").arg(path, read.warnings.join(QStringLiteral("; "))));
    return VdirItem(*stamp,
                    std::make_shared<const CalEventSource>(CalEventSource{calendarUid, fileName, text}),
                    std::move(read.series));
}

VdirItem::VdirItem(FileStamp stamp, std::shared_ptr<const CalEventSource> source, QList<IcsSeries> series)
    : stamp(stamp), source(std::move(source)), m_uids(uidsOf(series)), m_series(std::move(series)) {}

VdirItem::VdirItem(FileStamp stamp, std::shared_ptr<const CalEventSource> source, QStringList uids,
                   std::pair<qint64, qint64> reach, Encoded encoded)
    : stamp(stamp), source(std::move(source)), m_uids(std::move(uids)), m_encoded(std::move(encoded)),
      m_reach(reach) {}

const QList<IcsSeries>& VdirItem::series() const {
    if (!m_encoded)
        return m_series;
    const Encoded encoded = std::move(*m_encoded);
    m_encoded.reset();
    BinaryReader in(QByteArrayView(encoded.bytes->constData() + encoded.at, encoded.size));
    for (qint32 i = 0; i < encoded.count; ++i) {
        std::optional<IcsSeries> one = encoded.codec->read(in);
        if (!one)
            break;
        m_series.append(std::move(*one));
    }
    // The index's checksum held, so only a fault of this program can get here.
    if (m_series.size() != encoded.count)
        VL_LOG(LCALSTORE, Logger::LOG_ERROR_LEVEL,
               QStringLiteral(
                   "%1/%2: the store index could not be read back; the file is read at the next start")
                   .arg(source->calendarUid, source->fileName));
    return m_series;
}

bool VdirItem::mayOccurIn(qint64 from, qint64 to) const {
    return !m_reach || (m_reach->first <= to && m_reach->second >= from);
}

std::pair<qint64, qint64> VdirItem::reach() const {
    if (!m_reach) {
        std::pair<qint64, qint64> all{std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()};
        for (const IcsSeries& one : series()) {
            const auto [first, last] = one.reach();
            all = {std::min(all.first, first), std::max(all.second, last)};
        }
        m_reach = all;
    }
    return *m_reach;
}
