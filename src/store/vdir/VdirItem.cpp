#include "VdirItem.h"

#include "VdirIndexFile.h"
#include "base/BoundedFile.h"
#include "base/Logger.h"
#include "indexChecksum.h"
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
    : stamp(stamp), m_calendarUid(source->calendarUid), m_fileName(source->fileName), m_uids(uidsOf(series)),
      m_source(std::move(source)), m_series(std::move(series)) {}

VdirItem::VdirItem(FileStamp stamp, QString calendarUid, QString fileName, QStringList uids,
                   std::pair<qint64, qint64> reach, Stored stored)
    : stamp(stamp), m_calendarUid(std::move(calendarUid)), m_fileName(std::move(fileName)),
      m_uids(std::move(uids)), m_stored(std::move(stored)), m_reach(reach), m_confirmed(false) {}

std::optional<QByteArray> VdirItem::Stored::bytes() const {
    std::optional<QByteArray> read = origin->file->read(at, qint64(textSize) + seriesSize);
    if (!read || indexChecksum(*read) != checksum)
        return std::nullopt;
    return read;
}

const std::shared_ptr<const CalEventSource>& VdirItem::source() const {
    take();
    return m_source;
}

const QList<IcsSeries>& VdirItem::series() const {
    take();
    return m_series;
}

void VdirItem::take() const {
    if (m_source || !m_stored)
        return;
    if (takeStored())
        return;
    // The index was damaged after it was checked, or changed under us: the file, while it is as the
    // index says, holds the same.
    VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
           QStringLiteral("%1/%2: the store index could not be read back; the file is read instead")
               .arg(m_calendarUid, m_fileName));
    const QString folderPath = m_stored->origin->folderPath;
    *m_stored->origin->damaged = true;
    m_stored.reset();
    const QString path = QDir(folderPath).filePath(m_fileName);
    QString warning;
    std::optional<VdirItem> read;
    if (const std::optional<FileStamp> now = FileStamp::of(path); now == stamp)
        read = load(m_calendarUid, folderPath, m_fileName, now, warning);
    if (read && read->uids() == m_uids) {
        m_source = std::move(read->m_source);
        m_series = std::move(read->m_series);
        return;
    }
    // Changed since: the next look at the folder reads it as a changed file. Empty text is never what a
    // file holds, so a change made from this item is refused as a conflict.
    m_source = std::make_shared<const CalEventSource>(CalEventSource{m_calendarUid, m_fileName, {}});
}

bool VdirItem::takeStored() const {
    const std::optional<QByteArray> bytes = m_stored->bytes();
    if (!bytes)
        return false;
    QList<IcsSeries> series;
    BinaryReader in(QByteArrayView(*bytes).sliced(m_stored->textSize));
    for (qint32 i = 0; i < m_stored->count; ++i) {
        std::optional<IcsSeries> one = m_stored->origin->codec->read(in);
        if (!one)
            return false;
        series.append(std::move(*one));
    }
    if (!in.ok() || !in.atEnd())
        return false;
    m_source = std::make_shared<const CalEventSource>(
        CalEventSource{m_calendarUid, m_fileName, bytes->left(m_stored->textSize)});
    m_series = std::move(series);
    return true;
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
