#include "VdirCalendarStore.h"

#include "AtomicFileWriter.h"
#include "FolderListing.h"
#include "FolderLock.h"
#include "FolderReading.h"
#include "OpenFolder.h"
#include "SeriesEditor.h"
#include "VdirCalendarFolder.h"
#include "base/BoundedFile.h"
#include "base/Logger.h"
#include "store/ics/IcsDocument.h"
#include "store/ics/IcsReader.h"
#include "store/ics/VEventWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QUuid>

#include <ranges>

namespace {

StoreError error(StoreError::Code code, const QString& description, const QString& suggestion) {
    return StoreError{StoreError::DOMAIN_NAME, code, description, suggestion};
}

StoreError notFound(const QString& what) {
    return error(StoreError::NotFound, what, QStringLiteral("It may have been removed by another program."));
}

QString newUid() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

// Removes the events of other series; the time zones stay. The uid is compared as a value: its text may
// hold escapes ("\,").
void keepOnlySeries(IcsDocument& document, const QString& uid) {
    const QList<IcsComponent*> kept = document.events(uid);
    for (IcsComponent* other : document.body().children(u"VEVENT"))
        if (!kept.contains(other))
            document.remove(other);
}

// The series of `event` as the file it was read from held it, changed to the event's fields: a series
// deleted and now written again (undo) comes back with nothing lost, also not the occurrences outside
// the loaded window or a COUNT. Nothing when the event was not read from a file.
std::optional<IcsDocument> restoredDocument(const CalEvent& event) {
    if (!event.source)
        return std::nullopt;
    IcsDocument document = IcsDocument::parse(event.source->text);
    keepOnlySeries(document, event.uid);
    const IcsReadResult read = IcsReader::read(document.serialize());
    const auto restored = std::find_if(read.series.begin(), read.series.end(),
                                       [&](const IcsSeries& one) { return one.uid() == event.uid; });
    if (restored == read.series.end())
        return std::nullopt;
    SeriesEditor(document, *restored).saveAll(event);
    return document;
}

QByteArray readFile(const QString& path) {
    return BoundedFile::read(path, VdirItem::MAX_FILE_SIZE, BoundedFile::Links::Follow).bytes;
}

} // namespace

VdirCalendarStore::VdirCalendarStore(const QString& rootDirectory, QObject* parent)
    : VdirCalendarStore(rootDirectory, Watch::Changes, parent) {}

VdirCalendarStore::VdirCalendarStore(const QString& rootDirectory, Watch watch, QObject* parent,
                                     Reading reading)
    : VdirCalendarStore(rootDirectory, std::make_unique<AtomicFileWriter>(), parent, watch, reading) {}

VdirCalendarStore::VdirCalendarStore(const QString& rootDirectory, std::unique_ptr<FileWriter> writer,
                                     QObject* parent, Watch watch, Reading reading)
    : CalendarStore(parent), m_root(QDir(rootDirectory).absolutePath()), m_writer(std::move(writer)),
      m_watcher(WATCH_QUIET_MS, WATCH_DELAY_MS), m_watching(watch == Watch::Changes),
      m_index(VdirIndex::pathFor(m_root)) {
    connect(&m_watcher, &DirectoryWatcher::directoriesChanged, this,
            &VdirCalendarStore::onDirectoriesChanged);
    if (m_watching)
        m_watcher.watch(m_root);
    loadAll(reading);
    removeStaleTemporaries();
    if (isReading())
        QTimer::singleShot(0, this, &VdirCalendarStore::readOn);
}

VdirCalendarStore::~VdirCalendarStore() {
    if (m_indexStale || m_index.isDamaged())
        saveIndex();
}

QString VdirCalendarStore::folderPath(const QString& calendarUid) const {
    return QDir(m_root).filePath(calendarUid);
}

// ---- reading ----

void VdirCalendarStore::loadAll(Reading reading) {
    VdirIndex::Folders cached = m_index.load(m_root);
    m_holding = true;
    bool allHeld = true, anyHeld = false, onTrust = false;
    for (const QString& name : VdirCalendarFolder::calendarFolderNames(m_root)) {
        Folder folder;
        std::optional<IndexedFolder> indexed;
        if (const auto found = cached.find(name); found != cached.end()) {
            indexed = std::move(*found);
            cached.erase(found);
        }
        loadFolder(name, folder, std::move(indexed), reading);
        allHeld = allHeld && folder.held;
        anyHeld = anyHeld || folder.held;
        onTrust = onTrust || folder.onTrust;
        m_folders.insert(name, std::move(folder));
    }
    // Folders gone since the index was written leave entries nothing used.
    if (!cached.isEmpty())
        m_indexStale = true;
    // The index says which files repeat others only while it holds the whole store as it is.
    if (allHeld && !m_indexStale) {
        for (auto folder = m_folders.cbegin(); folder != m_folders.cend() && m_holding; ++folder)
            for (const auto& [number, uid] : folder->held->repeats()) {
                const std::optional<QString> fileName = folder->held->fileName(number);
                if (!fileName) {
                    takeHeld();
                    break;
                }
                m_repeats.insert(uid, {folder.key(), *fileName});
            }
    } else {
        takeHeld();
    }
    // The held folders' series are found now, before those of the folders still to be read.
    m_foundOutOfOrder = anyHeld && isReading();
    if (m_indexStale && !isReading())
        saveIndex();
    if (onTrust)
        QTimer::singleShot(VERIFY_DELAY_MS, this, &VdirCalendarStore::verifyTrusted);
}

bool VdirCalendarStore::isReading() const {
    return m_filesRead < m_filesListed;
}

QStringList VdirCalendarStore::readNext(const QString& calendarUid, Folder& folder) {
    FolderReading::File file = folder.reading->next();
    ++m_filesRead;
    // Another program's removal since the listing, read gradually: the watcher says so.
    std::optional<VdirItem> item = file.indexed ? std::move(file.indexed)
                                   : file.gone  ? std::nullopt
                                                : load(calendarUid, file.name, file.stamp, folder);
    QStringList uids;
    if (item) {
        // While folders are held, the series are found once all are read.
        if (!m_holding)
            index(calendarUid, file.name, *item);
        uids = item->uids();
        // The names come sorted, and nothing else adds items meanwhile: each goes at the end.
        folder.items.insert(folder.items.cend(), file.name, std::move(*item));
    }
    if (folder.reading->atEnd())
        endReading(folder);
    return uids;
}

void VdirCalendarStore::endReading(Folder& folder) {
    // Files gone since the index was written leave entries nothing used; and a listing the index could
    // record it does not (the folder would have been taken on trust), an empty folder new to it too.
    if (folder.reading->leftIndexedFiles() || (folder.listing && folder.skipped.isEmpty()))
        m_indexStale = true;
    folder.reading.reset();
}

void VdirCalendarStore::readOn() {
    if (!isReading())
        return; // something that needed all read them
    QElapsedTimer slice;
    slice.start();
    for (auto folder = m_folders.begin(); folder != m_folders.end() && !slice.hasExpired(READ_SLICE_MS);
         ++folder)
        while (folder->reading && !slice.hasExpired(READ_SLICE_MS))
            m_readUnannounced += readNext(folder.key(), *folder);
    if (!isReading())
        endReadingAll();
    else
        QTimer::singleShot(0, this, &VdirCalendarStore::readOn);
    // Each announcement costs the window a look at all it shows, so they come seldom.
    if (!isReading() || !m_announced.isValid() || m_announced.hasExpired(READ_ANNOUNCE_MS))
        announceRead();
}

void VdirCalendarStore::announceRead() {
    m_announced.start();
    const StoreChanges read{std::exchange(m_readUnannounced, {}), {}, {}};
    emit readProgressed(m_filesRead, m_filesListed);
    if (!read.isEmpty())
        emit eventsChangedExternally(read);
}

void VdirCalendarStore::takeWhole() {
    if (isReading()) {
        for (auto folder = m_folders.begin(); folder != m_folders.end(); ++folder)
            while (folder->reading)
                m_readUnannounced += readNext(folder.key(), *folder);
        endReadingAll();
        // After the change or answer that needed them.
        QMetaObject::invokeMethod(this, &VdirCalendarStore::announceRead, Qt::QueuedConnection);
    }
    takeHeld();
}

void VdirCalendarStore::endReadingAll() {
    // Which copy of a repeated series is shown must not depend on folders taken from the index having
    // been found first.
    if (std::exchange(m_foundOutOfOrder, false) && !m_repeats.isEmpty()) {
        const QHash<QString, Location> before = std::exchange(m_byUid, {});
        m_repeats.clear();
        for (auto folder = m_folders.cbegin(); folder != m_folders.cend(); ++folder)
            for (auto item = folder->items.cbegin(); item != folder->items.cend(); ++item)
                index(folder.key(), item.key(), *item);
        StoreChanges shownNow;
        for (auto shown = m_byUid.cbegin(); shown != m_byUid.cend(); ++shown)
            if (before.value(shown.key()) != *shown)
                shownNow.updated.append(shown.key());
        if (!shownNow.isEmpty())
            announceLater({}, shownNow);
    }
    if (m_indexStale)
        saveIndex();
    // After whatever needed all read.
    if (!m_changedWhileReading.isEmpty() || m_allChangedWhileReading)
        QMetaObject::invokeMethod(
            this, [this] { onDirectoriesChanged({}, false); }, Qt::QueuedConnection);
}

void VdirCalendarStore::takeHeld() {
    if (!m_holding)
        return;
    qsizetype count = 0;
    for (auto folder = m_folders.begin(); folder != m_folders.end(); ++folder) {
        if (!folder->held) {
            count += folder->items.size();
            continue;
        }
        std::optional<QList<VdirItem>> items = folder->held->items();
        std::vector<VdirItem> given = std::exchange(folder->given, {});
        const std::vector<qint32> givenAt = std::exchange(folder->givenAt, {});
        folder->held.reset();
        if (!items) {
            VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("%1: the store index could not be read back; the files are read instead")
                       .arg(folder.key()));
            // What queries gave out may differ from the files.
            StoreChanges changed;
            for (const VdirItem& item : given)
                changed.updated += item.uids();
            Folder fresh;
            changed.updated += loadFolder(folder.key(), fresh);
            changed.updated.removeDuplicates();
            announceLater({}, changed);
            *folder = std::move(fresh);
            m_indexStale = true;
            count += folder->items.size();
            continue;
        }
        // The items queries gave out keep what they read.
        for (qint32 number = 0; number < items->size(); ++number) {
            const qint32 taken = givenAt.empty() ? -1 : givenAt[size_t(number)];
            VdirItem& item = taken < 0 ? (*items)[number] : given[size_t(taken)];
            const QString fileName = item.fileName();
            folder->items.insert(folder->items.cend(), fileName, std::move(item));
        }
        count += folder->items.size();
    }
    m_holding = false;
    m_repeats.clear();
    m_byUid.reserve(count);
    for (auto folder = m_folders.cbegin(); folder != m_folders.cend(); ++folder)
        for (auto item = folder->items.cbegin(); item != folder->items.cend(); ++item)
            index(folder.key(), item.key(), *item);
}

void VdirCalendarStore::saveIndex() {
    takeHeld();
    QList<const VdirItem*> items;
    QHash<QString, FileStamp> listings;
    for (auto folder = m_folders.cbegin(); folder != m_folders.cend(); ++folder) {
        for (const VdirItem& item : folder->items)
            items.append(&item);
        // Those of a folder still read that the index held: the next start compares them as now.
        if (folder->reading)
            for (const VdirItem* item : folder->reading->indexedAhead())
                items.append(item);
        // A file that could not be read is not in the index, nor one still to be read: the folder must be
        // listed to find it again.
        if (folder->listing && folder->skipped.isEmpty() && !folder->reading)
            listings.insert(folder.key(), *folder->listing);
    }
    m_index.save(items, listings);
    m_indexStale = false;
}

bool VdirCalendarStore::compareTrusted(const QList<const VdirItem*>& items) {
    if (std::none_of(m_folders.cbegin(), m_folders.cend(),
                     [](const Folder& folder) { return folder.onTrust; }))
        return false;
    QHash<QString, QSet<QString>> changed;
    std::optional<OpenFolder> open; // the items come folder by folder
    QString openUid;
    for (const VdirItem* item : items) {
        if (item->isConfirmed() || !m_folders[item->calendarUid()].onTrust)
            continue;
        if (!open || openUid != item->calendarUid()) {
            openUid = item->calendarUid();
            open.emplace(folderPath(openUid));
        }
        if (open->stampOf(item->fileName()) == item->stamp)
            item->confirm();
        else
            changed[item->calendarUid()].insert(item->fileName());
    }
    if (changed.isEmpty())
        return false;
    takeHeld();
    StoreChanges calendarChanges, eventChanges;
    for (auto folder = changed.cbegin(); folder != changed.cend(); ++folder)
        rescanFolder(folder.key(), *folder, calendarChanges, eventChanges);
    announceLater(calendarChanges, eventChanges);
    return true;
}

void VdirCalendarStore::compareTrustedSeries(const QString& uid) {
    if (const auto location = m_byUid.constFind(uid); location != m_byUid.cend())
        compareTrusted({&m_folders[location->calendarUid].items[location->fileName]});
}

void VdirCalendarStore::verifyTrusted() {
    // Not to read the rest at once: a store with folders read gradually has none held.
    if (isReading()) {
        QTimer::singleShot(VERIFY_DELAY_MS, this, &VdirCalendarStore::verifyTrusted);
        return;
    }
    takeHeld();
    const auto folder =
        std::find_if(m_folders.begin(), m_folders.end(), [](const Folder& one) { return one.onTrust; });
    if (folder == m_folders.end())
        return;
    StoreChanges calendarChanges, eventChanges;
    rescanFolder(folder.key(), std::nullopt, calendarChanges, eventChanges);
    // One folder at a time, so that a large store does not hold up the window for all of them at once.
    QTimer::singleShot(0, this, &VdirCalendarStore::verifyTrusted);
    if (!calendarChanges.isEmpty())
        emit calendarsChangedExternally(calendarChanges);
    if (!eventChanges.isEmpty())
        emit eventsChangedExternally(eventChanges);
}

void VdirCalendarStore::announceLater(const StoreChanges& calendarChanges, const StoreChanges& eventChanges) {
    QMetaObject::invokeMethod(
        this,
        [this, calendarChanges, eventChanges] {
            if (!calendarChanges.isEmpty())
                emit calendarsChangedExternally(calendarChanges);
            if (!eventChanges.isEmpty())
                emit eventsChangedExternally(eventChanges);
        },
        Qt::QueuedConnection);
}

QStringList VdirCalendarStore::loadFolder(const QString& calendarUid, Folder& folder,
                                          std::optional<IndexedFolder> cached, Reading reading) {
    const QString path = folderPath(calendarUid);
    folder.calendar = VdirCalendarFolder::readCalendar(path);
    if (m_watching)
        m_watcher.watch(path);
    // Taken before listing: a change while the files are listed leaves the folder with another stamp.
    folder.listing = FolderListing::stampOf(path);
    if (cached && cached->listing() && folder.listing == cached->listing()) {
        folder.onTrust = true;
        folder.held = std::move(cached);
        return {};
    }
    // A damaged folder in the index is read from its files.
    folder.reading.emplace(path, VdirCalendarFolder::itemFileNames(path),
                           cached ? cached->items().value_or(QList<VdirItem>()) : QList<VdirItem>());
    m_filesListed += folder.reading->size();
    if (folder.reading->atEnd()) {
        endReading(folder);
        return {};
    }
    QStringList uids;
    while (reading == Reading::AtOnce && folder.reading)
        uids += readNext(calendarUid, folder);
    return uids;
}

std::optional<VdirItem> VdirCalendarStore::load(const QString& calendarUid, const QString& fileName,
                                                const std::optional<FileStamp>& stamp, Folder& folder) {
    m_indexStale = true;
    QString warning;
    std::optional<VdirItem> item =
        VdirItem::load(calendarUid, folderPath(calendarUid), fileName, stamp, warning);
    folder.skipped.remove(fileName);
    if (!item) {
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL, warning);
        if (stamp)
            folder.skipped.insert(fileName, *stamp);
    }
    return item;
}

void VdirCalendarStore::index(const QString& calendarUid, const QString& fileName, const VdirItem& item) {
    m_overlaps.reset();
    for (const QString& uid : item.uids()) {
        const auto existing = m_byUid.constFind(uid);
        if (existing != m_byUid.cend() &&
            (existing->calendarUid != calendarUid || existing->fileName != fileName)) {
            VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
                   QStringLiteral("%1/%2 repeats the event %3 of %4/%5; the first one is used")
                       .arg(calendarUid, fileName, uid, existing->calendarUid, existing->fileName));
            if (!uid.isEmpty())
                m_repeats.insert(uid, {calendarUid, fileName});
            continue;
        }
        m_byUid.insert(uid, {calendarUid, fileName});
    }
}

void VdirCalendarStore::unindex(const VdirItem& item) {
    m_indexStale = true;
    m_overlaps.reset();
    const Location here{item.calendarUid(), item.fileName()};
    for (const QString& uid : item.uids()) {
        m_repeats.remove(uid, here);
        const auto location = m_byUid.constFind(uid);
        if (location == m_byUid.cend() || *location != here)
            continue;
        m_byUid.erase(location);
        // A copy in another file (the new place of a moved series) becomes the one used.
        if (const auto repeat = m_repeats.constFind(uid); repeat != m_repeats.cend()) {
            m_byUid.insert(uid, *repeat);
            m_repeats.erase(repeat);
        }
    }
}

const IcsSeries* VdirCalendarStore::series(const QString& uid, Location* where) const {
    const auto location = m_byUid.constFind(uid);
    if (location == m_byUid.cend())
        return nullptr;
    // find, not operator[]: on a const map that returns a copy, and the series must live in the index.
    const auto folder = m_folders.constFind(location->calendarUid);
    if (folder == m_folders.cend())
        return nullptr;
    const auto item = folder->items.constFind(location->fileName);
    if (item == folder->items.cend())
        return nullptr;
    for (const IcsSeries& one : item->series()) {
        if (one.uid() == uid) {
            if (where)
                *where = *location;
            return &one;
        }
    }
    return nullptr;
}

CalendarList VdirCalendarStore::calendars() {
    CalendarList result;
    for (const Folder& folder : std::as_const(m_folders))
        result.append(folder.calendar);
    return result;
}

qsizetype VdirCalendarStore::seriesCount(const QString& calendarUid) {
    takeWhole();
    const auto folder = m_folders.constFind(calendarUid);
    qsizetype count = 0;
    if (folder != m_folders.cend())
        for (const VdirItem& item : folder->items)
            count += item.uids().size();
    return count;
}

std::shared_ptr<CalCalendar> VdirCalendarStore::calendarWithUID(const QString& uid) {
    const auto folder = m_folders.constFind(uid);
    return folder == m_folders.cend() ? nullptr : folder->calendar;
}

EventList VdirCalendarStore::events(const QDateTime& start, const QDateTime& end,
                                    const CalendarList& calendars) {
    QHash<QString, qsizetype> wanted; // the calendars' places in the answer
    for (const auto& calendar : calendars)
        if (!wanted.contains(calendar->uid))
            wanted.insert(calendar->uid, wanted.size());
    QList<const VdirItem*> found = overlapping(start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch());
    if (compareTrusted(found))
        found = overlapping(start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch());
    // In the calendars' order; the items of one calendar come together.
    QList<QList<const VdirItem*>> byCalendar(wanted.size());
    QString calendarUid;
    QList<const VdirItem*>* into = nullptr;
    for (const VdirItem* item : std::as_const(found)) {
        if (item->calendarUid() != calendarUid) {
            calendarUid = item->calendarUid();
            const auto place = wanted.constFind(calendarUid);
            into = place == wanted.cend() ? nullptr : &byCalendar[*place];
        }
        if (into)
            into->append(item);
    }
    EventList result;
    for (const VdirItem* item : std::as_const(byCalendar) | std::views::join) {
        const std::shared_ptr<CalCalendar>& calendar = m_folders[item->calendarUid()].calendar;
        for (const IcsSeries& one : item->series()) {
            if (m_repeats.contains(one.uid(), {item->calendarUid(), item->fileName()}))
                continue;
            for (auto& record : one.occurrences(start, end)) {
                record->calendar = calendar;
                record->source = item->source();
                result.append(std::move(record));
            }
        }
    }
    return result;
}

QList<const VdirItem*> VdirCalendarStore::overlapping(qint64 from, qint64 to) {
    QList<const VdirItem*> result;
    if (m_holding) {
        for (Folder& folder : m_folders)
            for (const qint32 number : folder.held->overlapping(from, to)) {
                if (folder.givenAt.empty()) {
                    folder.givenAt.assign(size_t(folder.held->size()), -1);
                    folder.given.reserve(size_t(folder.held->size()));
                }
                qint32& at = folder.givenAt[size_t(number)];
                if (at < 0) {
                    std::optional<VdirItem> item = folder.held->item(number);
                    if (!item) {
                        takeHeld();
                        return overlapping(from, to);
                    }
                    at = qint32(folder.given.size());
                    folder.given.push_back(std::move(*item));
                }
                result.append(&folder.given[size_t(at)]);
            }
        return result;
    }
    if (!m_overlaps) {
        m_overlaps.emplace();
        m_overlapItems.clear();
        for (const Folder& folder : std::as_const(m_folders))
            for (const VdirItem& item : folder.items) {
                m_overlaps->add(item.reach());
                m_overlapItems.push_back(&item);
            }
        m_overlaps->build();
    }
    for (const qint32 number : m_overlaps->overlapping(from, to))
        result.append(m_overlapItems[size_t(number)]);
    return result;
}

EventList VdirCalendarStore::events(const QDateTime& start, const QDateTime& end, const QString& uid,
                                    const CalendarList& calendars) {
    takeHeld();
    compareTrustedSeries(uid);
    Location location;
    const IcsSeries* found = series(uid, &location);
    const bool wanted = std::any_of(calendars.begin(), calendars.end(), [&](const auto& calendar) {
        return calendar->uid == location.calendarUid;
    });
    EventList result;
    if (!found || !wanted)
        return result;
    const Folder& folder = m_folders[location.calendarUid];
    for (auto& record : found->occurrences(start, end)) {
        record->calendar = folder.calendar;
        record->source = folder.items[location.fileName].source();
        result.append(std::move(record));
    }
    return result;
}

EventList VdirCalendarStore::seriesRecords(const QString& calendarUid) {
    takeWhole();
    EventList result;
    if (const auto trusted = m_folders.constFind(calendarUid);
        trusted != m_folders.cend() && trusted->onTrust) {
        QList<const VdirItem*> items;
        for (const VdirItem& item : trusted->items)
            items.append(&item);
        compareTrusted(items);
    }
    const auto folder = m_folders.constFind(calendarUid);
    if (folder == m_folders.cend())
        return result;
    for (const VdirItem& item : folder->items)
        for (const IcsSeries& one : item.series()) {
            if (m_repeats.contains(one.uid(), {calendarUid, item.fileName()}))
                continue;
            std::shared_ptr<CalEvent> record = one.masterRecord();
            if (!record) {
                const QList<std::shared_ptr<CalEvent>> all =
                    one.occurrences(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC),
                                    QDateTime(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC));
                if (all.isEmpty())
                    continue;
                record = all.front();
            }
            record->calendar = folder->calendar;
            record->source = item.source();
            result.append(std::move(record));
        }
    return result;
}

std::optional<QByteArray> VdirCalendarStore::seriesText(const QString& uid) {
    takeHeld();
    compareTrustedSeries(uid);
    Location location;
    if (!series(uid, &location))
        return std::nullopt;
    return m_folders[location.calendarUid].items[location.fileName].source()->text;
}

void VdirCalendarStore::takeInExternalChanges() {
    if (isReading())
        takeWhole(); // the changes wait for it
    m_watcher.reportNow();
    onDirectoriesChanged({}, false); // those that came while files were read
}

// ---- writing ----

void VdirCalendarStore::removeStaleTemporaries() const {
    for (auto folder = m_folders.cbegin(); folder != m_folders.cend(); ++folder) {
        // Those of folders taken on trust go once their files are compared.
        if (folder->calendar->isEditable && !folder->onTrust)
            AtomicFileWriter::removeStaleTemporaries(folderPath(folder.key()));
    }
}

std::optional<StoreError> VdirCalendarStore::unambiguous(const QString& uid, const QString& title) const {
    if (!m_repeats.contains(uid))
        return std::nullopt;
    const Location used = m_byUid.value(uid);
    QStringList files{used.calendarUid + u'/' + used.fileName};
    for (auto it = m_repeats.constFind(uid); it != m_repeats.cend() && it.key() == uid; ++it)
        files.append(it->calendarUid + u'/' + it->fileName);
    return error(
        StoreError::InvalidRecord,
        QStringLiteral("The event \"%1\" is held by several files: %2.").arg(title, files.join(u", ")),
        QStringLiteral("Remove the copies that are not wanted, then try again."));
}

std::optional<StoreError> VdirCalendarStore::editableFolder(const QString& calendarUid) const {
    const auto folder = m_folders.constFind(calendarUid);
    if (folder == m_folders.cend())
        return notFound(QStringLiteral("The calendar no longer exists."));
    if (!folder->calendar->isEditable)
        return error(StoreError::ReadOnly,
                     QStringLiteral("The calendar \"%1\" is read-only.").arg(folder->calendar->title),
                     QStringLiteral("Choose a calendar that can be changed."));
    return std::nullopt;
}

std::optional<StoreError> VdirCalendarStore::checkUnchanged(const QString& calendarUid,
                                                            const QString& fileName) {
    VdirItem& item = m_folders[calendarUid].items[fileName];
    const QString path = QDir(folderPath(calendarUid)).filePath(fileName);
    const std::optional<FileStamp> stamp = FileStamp::of(path);
    // The content decides, not the stamp: a touched file with the same content is no conflict, and a file
    // replaced twice within one tick of the file system's clock can get its old inode and size back.
    if (stamp && readFile(path) == item.source()->text) {
        item.stamp = *stamp;
        return std::nullopt;
    }
    return error(
        StoreError::ChangedOnDisk,
        QStringLiteral("The event file \"%1\" was changed by another program since it was read.")
            .arg(fileName),
        QStringLiteral("Nothing was overwritten. The calendar will show the other program's version; make "
                       "your change again there."));
}

std::optional<StoreError> VdirCalendarStore::store(const QString& calendarUid, const QString& fileName,
                                                   const QByteArray& bytes, FileWriter::Mode mode,
                                                   bool holdsEvents) {
    const QString path = QDir(folderPath(calendarUid)).filePath(fileName);
    if (auto failed = m_writer->write(path, bytes, mode))
        return failed;
    Folder& folder = m_folders[calendarUid];
    if (const auto old = folder.items.constFind(fileName); old != folder.items.cend())
        unindex(*old);
    folder.items.remove(fileName);
    QString warning;
    m_indexStale = true;
    std::optional<VdirItem> item =
        VdirItem::load(calendarUid, folderPath(calendarUid), fileName, FileStamp::of(path), warning);
    if (!item && !holdsEvents) {
        // Left with only to-dos or journal entries, which it keeps: no longer an event file of ours.
        if (const std::optional<FileStamp> stamp = FileStamp::of(path))
            folder.skipped.insert(fileName, *stamp);
        return std::nullopt;
    }
    if (!item) {
        VL_LOG(LCALSTORE, Logger::LOG_ERROR_LEVEL, warning);
        // A new file that cannot be read would stay behind, unused, at every retry.
        if (mode == FileWriter::Mode::Create)
            (void)m_writer->remove(path);
        return error(
            StoreError::Unexpected,
            QStringLiteral("The event file \"%1\" was written but cannot be read back.").arg(fileName),
            QStringLiteral("Please report this problem."));
    }
    index(calendarUid, fileName, *item);
    folder.items.insert(fileName, std::move(*item));
    return std::nullopt;
}

std::optional<StoreError> VdirCalendarStore::discard(const QString& calendarUid, const QString& fileName) {
    if (auto failed = m_writer->remove(QDir(folderPath(calendarUid)).filePath(fileName)))
        return failed;
    Folder& folder = m_folders[calendarUid];
    unindex(folder.items[fileName]);
    folder.items.remove(fileName);
    return std::nullopt;
}

QString VdirCalendarStore::newFileName(const QString& calendarUid, const QString& uid) const {
    // Other programs name files after the uid when it is safe as a file name, and so do we.
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_.+@-]{1,200}$"));
    QString name =
        safe.match(uid).hasMatch() && !uid.startsWith(u'.')
            ? uid
            : QString::fromLatin1(QCryptographicHash::hash(uid.toUtf8(), QCryptographicHash::Sha1).toHex());
    const Folder& folder = m_folders[calendarUid];
    while (folder.items.contains(name + QStringLiteral(".ics")) ||
           QFile::exists(QDir(folderPath(calendarUid)).filePath(name + QStringLiteral(".ics"))))
        name = newUid();
    return name + QStringLiteral(".ics");
}

std::optional<StoreError> VdirCalendarStore::createSeries(const CalEvent& event) {
    const QString calendarUid = event.calendar->uid;
    std::optional<IcsDocument> document = restoredDocument(event);
    QString fileName;
    if (document && !QFile::exists(QDir(folderPath(calendarUid)).filePath(event.source->fileName))) {
        fileName = event.source->fileName;
    } else {
        fileName = newFileName(calendarUid, event.uid);
    }
    if (!document)
        document = VEventWriter::documentWithEvent(event);
    if (auto failed = store(calendarUid, fileName, document->serialize(), FileWriter::Mode::Create))
        return failed;
    emit eventsChanged(StoreChanges{{event.uid}, {}, {}});
    return std::nullopt;
}

std::optional<StoreError> VdirCalendarStore::moveSeries(const CalEvent& event, const Location& from) {
    const VdirItem& item = m_folders[from.calendarUid].items[from.fileName];
    if (item.series().size() > 1)
        return error(
            StoreError::InvalidRecord,
            QStringLiteral("The event \"%1\" shares its file with other events and cannot be moved to "
                           "another calendar.")
                .arg(event.title),
            QStringLiteral("Create the event anew in the other calendar."));
    IcsDocument document = IcsDocument::parse(item.source()->text);
    SeriesEditor(document, item.series().front()).saveAll(event);
    const QString target = event.calendar->uid;
    const QString fileName = QFile::exists(QDir(folderPath(target)).filePath(from.fileName))
                                 ? newFileName(target, event.uid)
                                 : from.fileName;
    if (auto failed = store(target, fileName, document.serialize(), FileWriter::Mode::Create))
        return failed;
    if (auto failed = discard(from.calendarUid, from.fileName)) {
        // Never leave the event in both calendars.
        (void)discard(target, fileName);
        index(from.calendarUid, from.fileName, m_folders[from.calendarUid].items[from.fileName]);
        return failed;
    }
    return std::nullopt;
}

std::optional<StoreError>
VdirCalendarStore::changeIfUnchanged(const Location& location,
                                     const std::function<std::optional<StoreError>()>& change) {
    const FolderLock lock(folderPath(location.calendarUid));
    if (lock.failure())
        return QFileInfo(folderPath(location.calendarUid)).isDir()
                   ? *lock.failure()
                   : notFound(QStringLiteral("The calendar no longer exists."));
    if (auto conflict = checkUnchanged(location.calendarUid, location.fileName))
        return conflict;
    return change();
}

std::optional<StoreError> VdirCalendarStore::saveEvent(const CalEvent& event, CalSpan span) {
    takeWhole();
    VL_LOG(LCALSTORE, Logger::LOG_VERBOSE_LEVEL,
           QStringLiteral("save %1 span %2").arg(event.uid).arg(int(span)));
    if (event.uid.isEmpty())
        return error(StoreError::InvalidRecord, QStringLiteral("The event has no identifier."),
                     QStringLiteral("Please report this problem."));
    if (auto invalid = VEventWriter::check(event))
        return invalid;
    if (!event.calendar)
        return error(StoreError::InvalidRecord,
                     QStringLiteral("The event \"%1\" belongs to no calendar.").arg(event.title),
                     QStringLiteral("Choose a calendar for it."));
    if (auto refused = editableFolder(event.calendar->uid))
        return refused;
    Location location;
    const IcsSeries* found = series(event.uid, &location);
    if (!found)
        return createSeries(event); // needs no lock: a file is created by link(), which never overwrites
    if (auto refused = editableFolder(location.calendarUid))
        return refused;
    if (auto unclear = unambiguous(event.uid, event.title))
        return unclear;
    StoreChanges changes{{}, {event.uid}, {}};
    if (auto failed = changeIfUnchanged(location, [&] {
            return location.calendarUid != event.calendar->uid
                       ? moveSeries(event, location)
                       : editSeries(event, span, *found, location, changes);
        }))
        return failed;
    emit eventsChanged(changes);
    return std::nullopt;
}

std::optional<StoreError> VdirCalendarStore::editSeries(const CalEvent& event, CalSpan span,
                                                        const IcsSeries& found, const Location& location,
                                                        StoreChanges& changes) {
    const VdirItem& item = m_folders[location.calendarUid].items[location.fileName];
    IcsDocument document = IcsDocument::parse(item.source()->text);
    SeriesEditor editor(document, found);
    const CalSpan effective = found.isRecurring() && event.occurrence.isValid() ? span : CalSpan::AllEvents;
    std::optional<IcsDocument> later;
    QString laterUid;
    switch (effective) {
    case CalSpan::ThisEvent:
        editor.saveThis(event);
        break;
    case CalSpan::FutureEvents:
        laterUid = newUid();
        later = editor.saveFuture(event, laterUid);
        if (!later)
            editor.saveAll(event);
        break;
    case CalSpan::AllEvents:
        editor.saveAll(event);
        break;
    }
    QString laterFile;
    if (later) {
        // The new series first: should writing the old one fail, the new file is taken back.
        laterFile = newFileName(location.calendarUid, laterUid);
        if (auto failed =
                store(location.calendarUid, laterFile, later->serialize(), FileWriter::Mode::Create))
            return failed;
        changes.inserted.append(laterUid);
    }
    if (auto failed =
            store(location.calendarUid, location.fileName, document.serialize(), FileWriter::Mode::Replace)) {
        if (later)
            (void)discard(location.calendarUid, laterFile);
        return failed;
    }
    return std::nullopt;
}

std::optional<StoreError> VdirCalendarStore::removeEvent(const CalEvent& event, CalSpan span) {
    takeWhole();
    VL_LOG(LCALSTORE, Logger::LOG_VERBOSE_LEVEL,
           QStringLiteral("remove %1 span %2").arg(event.uid).arg(int(span)));
    // Without a UID the file gives no way to tell this event from others without one.
    if (event.uid.isEmpty())
        return error(
            StoreError::InvalidRecord,
            QStringLiteral("The event \"%1\" has no identifier in its file and cannot be removed here.")
                .arg(event.title),
            QStringLiteral("Remove it with the program that made it, or give it a UID."));
    Location location;
    const IcsSeries* found = series(event.uid, &location);
    if (!found)
        return notFound(QStringLiteral("The event \"%1\" no longer exists.").arg(event.title));
    if (auto refused = editableFolder(location.calendarUid))
        return refused;
    if (auto unclear = unambiguous(event.uid, event.title))
        return unclear;
    if (auto failed =
            changeIfUnchanged(location, [&] { return removeFromSeries(event, span, *found, location); }))
        return failed;
    const bool seriesLeft = series(event.uid) != nullptr;
    emit eventsChanged(seriesLeft ? StoreChanges{{}, {event.uid}, {}} : StoreChanges{{}, {}, {event.uid}});
    return std::nullopt;
}

bool VdirCalendarStore::isOnlyOccurrence(const IcsSeries& series) {
    if (series.isOpenEnded())
        return false;
    return series
               .occurrences(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC),
                            QDateTime(QDate(9999, 12, 31), QTime(0, 0), Qt::UTC))
               .size() <= 1;
}

std::optional<StoreError> VdirCalendarStore::removeFromSeries(const CalEvent& event, CalSpan span,
                                                              const IcsSeries& found,
                                                              const Location& location) {
    const VdirItem& item = m_folders[location.calendarUid].items[location.fileName];
    IcsDocument document = IcsDocument::parse(item.source()->text);
    SeriesEditor editor(document, found);
    CalSpan effective = found.isRecurring() && event.occurrence.isValid() ? span : CalSpan::AllEvents;
    if (effective != CalSpan::AllEvents && !editor.hasOccurrence(event.occurrence))
        return notFound(QStringLiteral("The event \"%1\" has no such occurrence.").arg(event.title));
    if (effective == CalSpan::FutureEvents && !editor.removeFuture(event))
        effective = CalSpan::AllEvents;
    // A series would be left with no occurrence to show or name: it goes as a whole.
    if (effective == CalSpan::ThisEvent && isOnlyOccurrence(found))
        effective = CalSpan::AllEvents;
    if (effective == CalSpan::ThisEvent)
        editor.removeThis(event);
    if (effective == CalSpan::AllEvents)
        editor.removeAll();
    if (editor.documentIsEmpty())
        return discard(location.calendarUid, location.fileName);
    return store(location.calendarUid, location.fileName, document.serialize(), FileWriter::Mode::Replace,
                 !document.body().children(u"VEVENT").isEmpty());
}

// ---- calendars ----

std::optional<StoreError> VdirCalendarStore::saveCalendar(const CalCalendar& calendar) {
    takeWhole();
    VL_LOG(LCALSTORE, Logger::LOG_VERBOSE_LEVEL, QStringLiteral("save calendar %1").arg(calendar.uid));
    if (calendar.uid.isEmpty() || calendar.uid.startsWith(u'.') || calendar.uid.contains(u'/'))
        return error(StoreError::InvalidRecord,
                     QStringLiteral("The calendar \"%1\" has no usable identifier.").arg(calendar.title),
                     QStringLiteral("Please report this problem."));
    const bool exists = m_folders.contains(calendar.uid);
    const QString path = folderPath(calendar.uid);
    if (!exists && !QDir(m_root).mkpath(calendar.uid))
        return error(StoreError::WriteFailed,
                     QStringLiteral("The calendar \"%1\" could not be created.").arg(calendar.title),
                     QStringLiteral("Check that the calendar folder %1 can be written to.").arg(m_root));
    if (auto failed = VdirCalendarFolder::writeMetadata(*m_writer, path, calendar)) {
        if (!exists)
            QDir(path).removeRecursively();
        return failed;
    }
    if (exists) {
        m_folders[calendar.uid].calendar = VdirCalendarFolder::readCalendar(path);
    } else {
        Folder folder;
        loadFolder(calendar.uid, folder);
        m_folders.insert(calendar.uid, std::move(folder));
    }
    emit calendarsChanged(exists ? StoreChanges{{}, {calendar.uid}, {}}
                                 : StoreChanges{{calendar.uid}, {}, {}});
    return std::nullopt;
}

std::optional<StoreError> VdirCalendarStore::removeCalendar(const CalCalendar& calendar) {
    takeWhole();
    VL_LOG(LCALSTORE, Logger::LOG_VERBOSE_LEVEL, QStringLiteral("remove calendar %1").arg(calendar.uid));
    if (auto refused = editableFolder(calendar.uid))
        return refused;
    Folder& folder = m_folders[calendar.uid];
    QStringList uids;
    for (const VdirItem& item : std::as_const(folder.items))
        uids += item.uids();
    for (const QString& fileName : folder.items.keys()) {
        if (auto failed = discard(calendar.uid, fileName))
            return failed;
    }
    m_watcher.unwatch(folderPath(calendar.uid));
    if (!QDir(folderPath(calendar.uid)).removeRecursively())
        VL_LOG(LCALSTORE, Logger::LOG_WARNING_LEVEL,
               QStringLiteral("The folder of the calendar %1 could not be removed completely")
                   .arg(calendar.uid));
    m_folders.remove(calendar.uid);
    if (!uids.isEmpty())
        emit eventsChanged(StoreChanges{{}, {}, uids});
    emit calendarsChanged(StoreChanges{{}, {}, {calendar.uid}});
    return std::nullopt;
}

// ---- changes by other programs ----

void VdirCalendarStore::onDirectoriesChanged(const QHash<QString, DirectoryWatcher::Changes>& reported,
                                             bool reportedAll) {
    for (auto one = reported.cbegin(); one != reported.cend(); ++one) {
        DirectoryWatcher::Changes& into = m_changedWhileReading[one.key()];
        into.names.unite(one->names);
        into.whole = into.whole || one->whole;
    }
    m_allChangedWhileReading = m_allChangedWhileReading || reportedAll;
    // Looked at once all is read: a sync while the window fills in must not stop it for the rest, and the
    // files still to be read are read as they are then.
    if (isReading())
        return;
    const QHash<QString, DirectoryWatcher::Changes> changes = std::exchange(m_changedWhileReading, {});
    const bool all = std::exchange(m_allChangedWhileReading, false);
    if (changes.isEmpty() && !all)
        return;
    takeWhole();
    StoreChanges calendarChanges, eventChanges;
    if (all || changes.contains(m_root))
        rescanRoot(calendarChanges, eventChanges);
    for (const QString& calendarUid : m_folders.keys()) {
        const auto changed = changes.constFind(folderPath(calendarUid));
        if (all || (changed != changes.cend() && changed->whole))
            rescanFolder(calendarUid, std::nullopt, calendarChanges, eventChanges);
        else if (changed != changes.cend())
            rescanFolder(calendarUid, changed->names, calendarChanges, eventChanges);
    }
    if (!calendarChanges.isEmpty())
        emit calendarsChangedExternally(calendarChanges);
    if (!eventChanges.isEmpty())
        emit eventsChangedExternally(eventChanges);
}

void VdirCalendarStore::rescanRoot(StoreChanges& calendarChanges, StoreChanges& eventChanges) {
    const QStringList present = VdirCalendarFolder::calendarFolderNames(m_root);
    for (const QString& calendarUid : m_folders.keys()) {
        if (present.contains(calendarUid))
            continue;
        for (const VdirItem& item : std::as_const(m_folders[calendarUid].items)) {
            unindex(item);
            eventChanges.deleted += item.uids();
        }
        m_watcher.unwatch(folderPath(calendarUid));
        m_folders.remove(calendarUid);
        calendarChanges.deleted.append(calendarUid);
    }
    for (const QString& calendarUid : present) {
        if (m_folders.contains(calendarUid))
            continue;
        Folder folder;
        eventChanges.inserted += loadFolder(calendarUid, folder);
        m_folders.insert(calendarUid, std::move(folder));
        calendarChanges.inserted.append(calendarUid);
    }
}

void VdirCalendarStore::rescanFolder(const QString& calendarUid, const std::optional<QSet<QString>>& names,
                                     StoreChanges& calendarChanges, StoreChanges& eventChanges) {
    Folder& folder = m_folders[calendarUid];
    const QString path = folderPath(calendarUid);
    const std::shared_ptr<CalCalendar> metadata = VdirCalendarFolder::readCalendar(path);
    const CalCalendar& old = *folder.calendar;
    if (metadata->title != old.title || metadata->color != old.color ||
        metadata->isEditable != old.isEditable || metadata->type != old.type) {
        folder.calendar = metadata;
        calendarChanges.updated.append(calendarUid);
    }
    // The files the watcher named are all that changed: a folder of thousands is not listed again.
    QStringList listed;
    if (names) {
        for (const QString& name : *names)
            if (VdirCalendarFolder::isItemFileName(QFile::encodeName(name)) &&
                QFileInfo(QDir(path).filePath(name)).isFile())
                listed.append(name);
    } else {
        folder.listing = FolderListing::stampOf(path);
        listed = VdirCalendarFolder::itemFileNames(path);
        // A start that took the folder on trust left its stale temporaries for now.
        if (folder.onTrust && folder.calendar->isEditable)
            AtomicFileWriter::removeStaleTemporaries(path);
        folder.onTrust = false;
    }
    const QSet<QString> present(listed.begin(), listed.end()); // looked up once per known file
    const QStringList looked = names ? QStringList(names->begin(), names->end()) : folder.items.keys();
    QSet<QString> before, after;
    for (const QString& fileName : looked) {
        if (present.contains(fileName) || !folder.items.contains(fileName))
            continue;
        for (const QString& uid : folder.items[fileName].uids())
            before.insert(uid);
        unindex(folder.items[fileName]);
        folder.items.remove(fileName);
    }
    folder.skipped.removeIf([&](const auto& skipped) {
        return (!names || names->contains(skipped.key())) && !present.contains(skipped.key());
    });
    for (const QString& fileName : listed) {
        const auto known = folder.items.constFind(fileName);
        const std::optional<FileStamp> stamp = FileStamp::of(QDir(path).filePath(fileName));
        if (known != folder.items.cend() && stamp && *stamp == known->stamp) {
            known->confirm();
            continue;
        }
        if (const auto skipped = folder.skipped.constFind(fileName);
            skipped != folder.skipped.cend() && stamp && *stamp == *skipped)
            continue;
        if (known != folder.items.cend()) {
            for (const QString& uid : known->uids())
                before.insert(uid);
            unindex(*known);
            folder.items.remove(fileName);
        }
        std::optional<VdirItem> item = load(calendarUid, fileName, stamp, folder);
        if (!item)
            continue;
        for (const QString& uid : item->uids())
            after.insert(uid);
        index(calendarUid, fileName, *item);
        folder.items.insert(fileName, std::move(*item));
    }
    for (const QString& uid : before) {
        if (after.contains(uid))
            eventChanges.updated.append(uid);
        else if (!m_byUid.contains(uid))
            eventChanges.deleted.append(uid);
    }
    for (const QString& uid : after) {
        if (!before.contains(uid))
            eventChanges.inserted.append(uid);
    }
}

VdirCalendarStore::ImportResult VdirCalendarStore::importCalendarText(const QString& calendarUid,
                                                                      const QByteArray& text) {
    takeWhole();
    ImportResult result;
    if ((result.error = editableFolder(calendarUid)))
        return result;
    const IcsReadResult read = IcsReader::read(text);
    if (read.malformed || read.series.isEmpty()) {
        result.error =
            error(StoreError::InvalidRecord, QStringLiteral("The file holds no events that can be read."),
                  QStringLiteral("Choose an iCalendar file (.ics) with events."));
        return result;
    }
    QStringList wanted;
    for (const IcsSeries& one : read.series) {
        if (one.uid().isEmpty())
            result.skipped.append(QStringLiteral("An event without an identifier was left out."));
        else if (m_byUid.contains(one.uid()))
            result.skipped.append(QStringLiteral("\"%1\" is already in the calendars.").arg(one.uid()));
        else
            wanted.append(one.uid());
    }
    const bool whole = wanted.size() == 1 && read.series.size() == 1;
    IcsDocument parsed = IcsDocument::parse(text);
    // A stored calendar object carries no scheduling method (an invitation's REQUEST): servers refuse it.
    parsed.body().removeProperties(u"METHOD");
    for (const QString& uid : std::as_const(wanted)) {
        IcsDocument document = parsed;
        if (!whole) {
            // The series alone, with the file's time zones.
            keepOnlySeries(document, uid);
            for (const char16_t* other : {u"VTODO", u"VJOURNAL", u"VFREEBUSY"})
                document.body().removeChildren(other);
        }
        if (auto failed = store(calendarUid, newFileName(calendarUid, uid), document.serialize(),
                                FileWriter::Mode::Create)) {
            result.skipped.append(failed->description);
            continue;
        }
        result.importedUids.append(uid);
    }
    if (!result.importedUids.isEmpty())
        emit eventsChanged(StoreChanges{result.importedUids, {}, {}});
    return result;
}
