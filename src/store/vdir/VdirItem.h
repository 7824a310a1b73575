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

// One event file as last read: its state on disk, its text and the series it holds. An item taken from
// the store's index keeps its series encoded until a query or a change first needs them: most of a
// store lies outside the window a start asks for.
class VdirItem {
public:
    // The series of an item from the index, as the index holds them.
    struct Encoded {
        std::shared_ptr<const QByteArray> bytes; // the whole index, shared by its items
        qsizetype at = 0;
        qsizetype size = 0;
        qint32 count = 0;
        std::shared_ptr<IcsSeriesCodec> codec; // with the index's zones
    };

    static constexpr qint64 MAX_FILE_SIZE = qint64(64) << 20;

    // Nothing when the file cannot be read, is larger than MAX_FILE_SIZE or is not a calendar file; `warning`
    // says why. What a file that is read had to skip or guess is logged. `stamp` is the file's, taken before
    // reading it (nothing when it could not be taken).
    static std::optional<VdirItem> load(const QString& calendarUid, const QString& folderPath,
                                        const QString& fileName, const std::optional<FileStamp>& stamp,
                                        QString& warning);
    VdirItem(FileStamp stamp, std::shared_ptr<const CalEventSource> source, QList<IcsSeries> series);
    VdirItem(FileStamp stamp, std::shared_ptr<const CalEventSource> source, QStringList uids,
             std::pair<qint64, qint64> reach, Encoded encoded);
    VdirItem() = default; // for maps

    FileStamp stamp;
    std::shared_ptr<const CalEventSource> source; // the text, shared with the records read from it

    const QStringList& uids() const { return m_uids; }
    const QList<IcsSeries>& series() const;
    // Whether an occurrence may overlap [from, to]; true for an item whose reach was never asked for.
    bool mayOccurIn(qint64 from, qint64 to) const;
    // Where the occurrences lie (IcsSeries::reach over all series).
    std::pair<qint64, qint64> reach() const;
    // The encoded series while they are still encoded.
    const Encoded* encoded() const { return m_encoded ? &*m_encoded : nullptr; }

private:
    QStringList m_uids;
    mutable QList<IcsSeries> m_series;
    mutable std::optional<Encoded> m_encoded;
    mutable std::optional<std::pair<qint64, qint64>> m_reach;
};
