#include "VdirItem.h"

#include "base/Logger.h"
#include "store/ics/IcsReader.h"

#include <QDir>
#include <QFile>

std::optional<VdirItem> VdirItem::load(const QString& calendarUid, const QString& folderPath,
                                       const QString& fileName, const std::optional<FileStamp>& stamp,
                                       QString& warning) {
    const QString path = QDir(folderPath).filePath(fileName);
    QFile file(path);
    if (!stamp || !file.open(QIODevice::ReadOnly)) {
        warning = QStringLiteral("%1: cannot be read").arg(path);
        return std::nullopt;
    }
    const QByteArray text = file.readAll();
    IcsReadResult read = IcsReader::read(text);
    if (read.malformed || read.series.isEmpty()) {
        warning = QStringLiteral("%1 is skipped: %2").arg(path, read.warnings.join(QStringLiteral("; ")));
        return std::nullopt;
    }
    // Said here, where a file is read once per change on disk, not by the queries that use its events.
    if (!read.warnings.isEmpty())
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("%1: %2").arg(path, read.warnings.join(QStringLiteral("; "))));
    VdirItem item;
    item.stamp = *stamp;
    item.source = std::make_shared<const CalEventSource>(CalEventSource{calendarUid, fileName, text});
    item.series = std::move(read.series);
    return item;
}

QStringList VdirItem::uids() const {
    QStringList result;
    for (const IcsSeries& one : series)
        result.append(one.uid());
    return result;
}
