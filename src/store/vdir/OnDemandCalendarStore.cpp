#include "OnDemandCalendarStore.h"

#include "VdirCalendarFolder.h"
#include "VdirCalendarStore.h"

#include <QDir>

#ifdef __GLIBC__
#include <malloc.h>
#endif

OnDemandCalendarStore::OnDemandCalendarStore(QString rootDirectory, std::chrono::milliseconds closeDelay,
                                             QObject* parent)
    : CalendarStore(parent), m_root(QDir(rootDirectory).absolutePath()),
      m_watcher(VdirCalendarStore::WATCH_QUIET_MS, VdirCalendarStore::WATCH_DELAY_MS) {
    m_closeTimer.setSingleShot(true);
    m_closeTimer.setInterval(closeDelay);
    connect(&m_closeTimer, &QTimer::timeout, this, &OnDemandCalendarStore::close);
    connect(&m_watcher, &DirectoryWatcher::directoriesChanged, this,
            &OnDemandCalendarStore::onDirectoriesChanged);
    watchFolders();
}

OnDemandCalendarStore::~OnDemandCalendarStore() = default;

VdirCalendarStore& OnDemandCalendarStore::store() {
    if (!m_store) {
        m_store = std::make_unique<VdirCalendarStore>(m_root);
        for (const auto signal :
             {&CalendarStore::eventsChanged, &CalendarStore::calendarsChanged,
              &CalendarStore::eventsChangedExternally, &CalendarStore::calendarsChangedExternally})
            connect(m_store.get(), signal, this, signal);
    }
    m_closeTimer.start();
    return *m_store;
}

void OnDemandCalendarStore::close() {
    m_store.reset();
#ifdef __GLIBC__
    // The tree's records were many small blocks: give the pages they leave back to the system.
    malloc_trim(0);
#endif
}

void OnDemandCalendarStore::watchFolders() {
    m_watcher.watch(m_root);
    for (const QString& name : VdirCalendarFolder::calendarFolderNames(m_root))
        m_watcher.watch(QDir(m_root).filePath(name));
}

void OnDemandCalendarStore::onDirectoriesChanged() {
    watchFolders(); // a new calendar's folder
    if (m_store) {
        // The open tree sees the change itself; it stays open until it has.
        m_closeTimer.start();
        return;
    }
    emit calendarsChangedExternally({});
    emit eventsChangedExternally({});
}

CalendarList OnDemandCalendarStore::calendars() {
    return store().calendars();
}

std::shared_ptr<CalCalendar> OnDemandCalendarStore::calendarWithUID(const QString& uid) {
    return store().calendarWithUID(uid);
}

EventList OnDemandCalendarStore::events(const QDateTime& start, const QDateTime& end,
                                        const CalendarList& calendars) {
    return store().events(start, end, calendars);
}

EventList OnDemandCalendarStore::events(const QDateTime& start, const QDateTime& end, const QString& uid,
                                        const CalendarList& calendars) {
    return store().events(start, end, uid, calendars);
}

qsizetype OnDemandCalendarStore::seriesCount(const QString& calendarUid) {
    return store().seriesCount(calendarUid);
}

EventList OnDemandCalendarStore::seriesRecords(const QString& calendarUid) {
    return store().seriesRecords(calendarUid);
}

std::optional<QByteArray> OnDemandCalendarStore::seriesText(const QString& uid) {
    return store().seriesText(uid);
}

void OnDemandCalendarStore::takeInExternalChanges() {
    if (m_store)
        m_store->takeInExternalChanges();
    else
        m_watcher.reportNow();
}

std::optional<StoreError> OnDemandCalendarStore::saveEvent(const CalEvent& event, CalSpan span) {
    return store().saveEvent(event, span);
}

std::optional<StoreError> OnDemandCalendarStore::removeEvent(const CalEvent& event, CalSpan span) {
    return store().removeEvent(event, span);
}

std::optional<StoreError> OnDemandCalendarStore::saveCalendar(const CalCalendar& calendar) {
    return store().saveCalendar(calendar);
}

std::optional<StoreError> OnDemandCalendarStore::removeCalendar(const CalCalendar& calendar) {
    return store().removeCalendar(calendar);
}

CalendarStore::ImportResult OnDemandCalendarStore::importCalendarText(const QString& calendarUid,
                                                                      const QByteArray& text) {
    return store().importCalendarText(calendarUid, text);
}
