#pragma once

#include "DirectoryWatcher.h"
#include "FileWriter.h"
#include "FolderReading.h"
#include "OverlapIndex.h"
#include "VdirIndex.h"
#include "VdirItem.h"
#include "store/CalendarStore.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QMultiHash>
#include <QSet>

#include <functional>
#include <memory>
#include <vector>

class SeriesEditor;

// The calendars of a vdir tree: each folder below the root is a calendar, each .ics file in it holds
// one event series. Files are read once and watched; other programs' changes arrive, coalesced, as the
// external notifications. Writes are atomic, keep everything the program does not change, and never
// overwrite a file that another program changed since it was read; our own processes lock the folder from
// that check to the write, so that of two of them changing one file at once, one is told of the conflict.
// Files that cannot be read are skipped with a warning and never written.
//
// A folder whose own stamp is the one the index recorded with its listing is taken from the index without
// looking at its files, which costs a large store most of its start: the rename, link or removal by which
// the calendar programs change files would have changed it. A file written in place would not, so the
// files a query gives out (also those of one series or all of a calendar's) are compared first, and once the
// event loop runs all of the folder's are.
class VdirCalendarStore : public CalendarStore {
    Q_OBJECT
public:
    // Whether other programs' changes are watched for. A program that answers one question and ends (the
    // command line) has no event loop to hear them in, and watching a folder costs the kernel a walk over
    // all of its files.
    enum class Watch { Changes, Nothing };
    // Whether the files the index does not hold as they are (all of them at the first start) are read
    // before the store is made, or a few at a time once the event loop runs, so that a window shows at
    // once and fills in. A query of a window's events meanwhile answers with what was read; everything
    // else reads the rest first.
    enum class Reading { AtOnce, Gradually };

    explicit VdirCalendarStore(const QString& rootDirectory, QObject* parent = nullptr);
    VdirCalendarStore(const QString& rootDirectory, Watch watch, QObject* parent = nullptr,
                      Reading reading = Reading::AtOnce);
    // With another way of writing files, for tests that need writing to fail.
    VdirCalendarStore(const QString& rootDirectory, std::unique_ptr<FileWriter> writer,
                      QObject* parent = nullptr, Watch watch = Watch::Changes,
                      Reading reading = Reading::AtOnce);
    ~VdirCalendarStore() override;

    QString rootDirectory() const { return m_root; }
    // Changes on disk are announced once none came for the quiet time, or at the latest after the delay.
    static constexpr int WATCH_QUIET_MS = 5;
    static constexpr int WATCH_DELAY_MS = 100;
    // After a start that took folders on trust, their files are compared once this has passed.
    static constexpr int VERIFY_DELAY_MS = 1000;
    // Read gradually: each turn of the event loop reads for this long, and what was read is announced
    // at most this often.
    static constexpr int READ_SLICE_MS = 20;
    static constexpr int READ_ANNOUNCE_MS = 250;

    // Whether files are still to be read gradually.
    bool isReading() const;

    CalendarList calendars() override;
    std::shared_ptr<CalCalendar> calendarWithUID(const QString& uid) override;
    EventList events(const QDateTime& start, const QDateTime& end, const CalendarList& calendars) override;
    EventList events(const QDateTime& start, const QDateTime& end, const QString& uid,
                     const CalendarList& calendars) override;
    qsizetype seriesCount(const QString& calendarUid) override;
    EventList seriesRecords(const QString& calendarUid) override;
    std::optional<QByteArray> seriesText(const QString& uid) override;
    void takeInExternalChanges() override;

    [[nodiscard]] std::optional<StoreError> saveEvent(const CalEvent& event, CalSpan span) override;
    [[nodiscard]] std::optional<StoreError> removeEvent(const CalEvent& event, CalSpan span) override;
    [[nodiscard]] std::optional<StoreError> saveCalendar(const CalCalendar& calendar) override;
    [[nodiscard]] std::optional<StoreError> removeCalendar(const CalCalendar& calendar) override;

    ImportResult importCalendarText(const QString& calendarUid, const QByteArray& text) override;

signals:
    // While files are read gradually, with the events read since the last time announced as inserted by
    // another program; the last one has `read` equal to `total`.
    void readProgressed(qsizetype read, qsizetype total);

private:
    struct Folder {
        std::shared_ptr<CalCalendar> calendar;
        QMap<QString, VdirItem> items; // by file name
        // Files that could not be read, as they were then: read (and said) again only once they change.
        QHash<QString, FileStamp> skipped;
        // The folder's stamp, taken before its files were last listed all, when it had settled on a local
        // file system (FolderListing).
        std::optional<FileStamp> listing;
        // Taken from the index on its listing: the files' stamps are still to be compared but for those
        // of the items confirmed.
        bool onTrust = false;
        // Taken on trust and not yet read from the index but for the items queries gave out: `items` is
        // empty meanwhile. `given` has room for all of them, so that none moves; `givenAt` is where each
        // number's is, or -1.
        std::optional<IndexedFolder> held;
        std::vector<VdirItem> given;
        std::vector<qint32> givenAt;
        // The files listed and not yet all gone through.
        std::optional<FolderReading> reading;
    };
    struct Location {
        QString calendarUid;
        QString fileName;
        bool operator==(const Location&) const = default;
    };

    QString folderPath(const QString& calendarUid) const;
    void loadAll(Reading reading);
    // Reads a calendar folder into `folder`, taking unchanged files from `cached`; returns the uids of the
    // events read. A folder taken on trust is left held by the index; one read gradually is left with its
    // reading.
    QStringList loadFolder(const QString& calendarUid, Folder& folder,
                           std::optional<IndexedFolder> cached = std::nullopt,
                           Reading reading = Reading::AtOnce);
    // Takes the folder's next file into its items; the uids of its events.
    QStringList readNext(const QString& calendarUid, Folder& folder);
    void endReading(Folder& folder);
    // One turn of gradual reading.
    void readOn();
    void announceRead();
    void endReadingAll();
    // Reads what is still to be read, and takes the held folders' items.
    void takeWhole();
    // Reads the items of the folders the index still holds, and finds which series each file holds.
    // Everything but a window's query needs them.
    void takeHeld();
    // The file as VdirItem::load reads it; one that cannot be read is logged and kept in `skipped`. The
    // index no longer matches what the store holds.
    std::optional<VdirItem> load(const QString& calendarUid, const QString& fileName,
                                 const std::optional<FileStamp>& stamp, Folder& folder);
    void saveIndex();
    // Compares the files of `items` in folders taken on trust with what was taken, reading those that
    // changed; whether any had.
    bool compareTrusted(const QList<const VdirItem*>& items);
    void compareTrustedSeries(const QString& uid);
    // Compares every file of the folders taken on trust, as a change on disk would, one folder per turn
    // of the event loop.
    void verifyTrusted();
    // Announces changes found while answering a query once the query is answered.
    void announceLater(const StoreChanges& calendarChanges, const StoreChanges& eventChanges);
    void index(const QString& calendarUid, const QString& fileName, const VdirItem& item);
    void unindex(const VdirItem& item);
    const IcsSeries* series(const QString& uid, Location* where = nullptr) const;
    // The items whose occurrences may lie in the window, in order of calendar and file; made again after
    // any change of the items.
    QList<const VdirItem*> overlapping(qint64 from, qint64 to);

    // Reported changes that come while files are still read gradually wait until all are.
    void onDirectoriesChanged(const QHash<QString, DirectoryWatcher::Changes>& reported, bool reportedAll);
    void rescanRoot(StoreChanges& calendarChanges, StoreChanges& eventChanges);
    // Looks at the files `names` gives, or at all of the folder's when none are given.
    void rescanFolder(const QString& calendarUid, const std::optional<QSet<QString>>& names,
                      StoreChanges& calendarChanges, StoreChanges& eventChanges);

    // Of the calendars that can be changed; those of read-only ones are not ours to remove.
    void removeStaleTemporaries() const;
    std::optional<StoreError> editableFolder(const QString& calendarUid) const;
    // An error when other files repeat the series of `uid`.
    std::optional<StoreError> unambiguous(const QString& uid, const QString& title) const;
    // Runs `change` on the file at `location` when the file is as it was read, with the folder locked
    // against our other processes from the check to the end of the change; else the conflict.
    std::optional<StoreError> changeIfUnchanged(const Location& location,
                                                const std::function<std::optional<StoreError>()>& change);
    // An error when the file changed on disk since it was read.
    std::optional<StoreError> checkUnchanged(const QString& calendarUid, const QString& fileName);
    // Writes and re-reads one file of a folder; one written without events (`holdsEvents` false: only
    // to-dos or journal entries are left) is kept but no longer read as an event file.
    std::optional<StoreError> store(const QString& calendarUid, const QString& fileName,
                                    const QByteArray& bytes, FileWriter::Mode mode, bool holdsEvents = true);
    std::optional<StoreError> discard(const QString& calendarUid, const QString& fileName);
    std::optional<StoreError> createSeries(const CalEvent& event);
    std::optional<StoreError> moveSeries(const CalEvent& event, const Location& from);
    std::optional<StoreError> editSeries(const CalEvent& event, CalSpan span, const IcsSeries& found,
                                         const Location& location, StoreChanges& changes);
    // Whether removing one occurrence of the series would leave none.
    static bool isOnlyOccurrence(const IcsSeries& series);
    std::optional<StoreError> removeFromSeries(const CalEvent& event, CalSpan span, const IcsSeries& found,
                                               const Location& location);
    QString newFileName(const QString& calendarUid, const QString& uid) const;

    QString m_root;
    std::unique_ptr<FileWriter> m_writer;
    DirectoryWatcher m_watcher;
    bool m_watching;
    QMap<QString, Folder> m_folders;  // by calendar uid (the folder's name)
    QHash<QString, Location> m_byUid; // where each series is; empty while folders are held
    // Later files that repeat a series of another file: not shown, and the series is not changed while
    // it is unclear which copy is meant.
    QMultiHash<QString, Location> m_repeats;
    VdirIndex m_index;
    bool m_indexStale = false; // the items differ from the index file's
    // While folders are held, `m_repeats` is as the index says and `m_byUid` is not made.
    bool m_holding = false;
    std::optional<OverlapIndex> m_overlaps;
    std::vector<const VdirItem*> m_overlapItems; // by their numbers in m_overlaps
    qsizetype m_filesListed = 0;                 // by the folders' readings
    qsizetype m_filesRead = 0;
    QStringList m_readUnannounced; // uids
    QElapsedTimer m_announced;
    QHash<QString, DirectoryWatcher::Changes> m_changedWhileReading; // not yet looked at
    bool m_allChangedWhileReading = false;
    bool m_foundOutOfOrder = false; // series of held folders found before those still to be read
};
