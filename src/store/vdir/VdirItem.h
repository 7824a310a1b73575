#pragma once

#include "FileStamp.h"
#include "records/CalEventSource.h"
#include "store/ics/IcsSeries.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

class IcsSeriesCodec;
class VdirIndexFile;

// One event file as last read: its state on disk, its text and the series it holds. An item taken from
// the store's index holds only what finds it (names, uids, reach, stamp) until a query or a change first
// needs its text and series, which it then reads from the index: most of a store lies outside the
// window a start asks for.
class VdirItem {
public:
    // What the items of one calendar folder read from the index share.
    struct Origin {
        std::shared_ptr<const VdirIndexFile> file;
        std::shared_ptr<IcsSeriesCodec> codec; // with the index's zones
        QString folderPath;                    // where the file is read when the index fails
        std::shared_ptr<bool> damaged;         // set when an item could not be read back
    };
    // Where the index file keeps an item's text, then its encoded series.
    struct Stored {
        std::shared_ptr<const Origin> origin;
        qint64 at = 0;
        qint32 textSize = 0;
        qint32 seriesSize = 0;
        qint32 count = 0;
        quint64 checksum = 0; // of the text and series bytes

        // Nothing when they cannot be read, or are not what was written.
        std::optional<QByteArray> bytes() const;
    };

    static constexpr qint64 MAX_FILE_SIZE = qint64(64) << 20;

    // Nothing when the file cannot be read, is larger than MAX_FILE_SIZE or is not a calendar file; `warning`
    // says why. What a file that is read had to skip or guess is logged. `stamp` is the file's, taken before
    // reading it (nothing when it could not be taken).
    static std::optional<VdirItem> load(const QString& calendarUid, const QString& folderPath,
                                        const QString& fileName, const std::optional<FileStamp>& stamp,
                                        QString& warning);
    VdirItem(FileStamp stamp, std::shared_ptr<const CalEventSource> source, QList<IcsSeries> series);
    VdirItem(FileStamp stamp, QString calendarUid, QString fileName, QStringList uids,
             std::pair<qint64, qint64> reach, Stored stored);
    VdirItem() = default; // for maps

    FileStamp stamp;

    const QString& calendarUid() const { return m_calendarUid; }
    const QString& fileName() const { return m_fileName; }
    const QStringList& uids() const { return m_uids; }
    // The text, shared with the records read from it. Empty (and no series) only when neither the index
    // nor the file, as it was when indexed, could be read back.
    const std::shared_ptr<const CalEventSource>& source() const;
    const QList<IcsSeries>& series() const;
    // Where the occurrences lie (IcsSeries::reach over all series).
    std::pair<qint64, qint64> reach() const;
    // Where the index holds the item, while it still does.
    const Stored* stored() const { return m_stored ? &*m_stored : nullptr; }
    // Whether the file was seen with `stamp` since the item was read: one taken from the index is not
    // until its folder is listed or its file compared.
    bool isConfirmed() const { return m_confirmed; }
    void confirm() const { m_confirmed = true; }

private:
    // Reads the text and series from the index, or from the file while it is as indexed.
    void take() const;
    bool takeStored() const;

    QString m_calendarUid;
    QString m_fileName;
    QStringList m_uids;
    mutable std::shared_ptr<const CalEventSource> m_source;
    mutable QList<IcsSeries> m_series;
    mutable std::optional<Stored> m_stored;
    mutable std::optional<std::pair<qint64, qint64>> m_reach;
    mutable bool m_confirmed = true;
};
