#pragma once

#include "DirectoryWatcher.h"
#include "store/CalendarStore.h"

#include <QTimer>

#include <chrono>
#include <memory>

class VdirCalendarStore;

// A vdir tree for a program that asks its store something only now and then (the helper: the alarms of
// the next days, a new event): the tree is opened at the first call and closed again once nothing has
// asked for CLOSE_DELAY, so that between uses none of its records stay in memory. The folders are
// watched all the while; what changes on disk while the tree is closed is announced as an external
// change of calendars and of events without uids, since nothing was loaded to compare with.
class OnDemandCalendarStore : public CalendarStore {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds CLOSE_DELAY{5000};

    explicit OnDemandCalendarStore(QString rootDirectory, std::chrono::milliseconds closeDelay = CLOSE_DELAY,
                                   QObject* parent = nullptr);
    ~OnDemandCalendarStore() override;

    bool isOpen() const { return m_store != nullptr; }

    CalendarList calendars() override;
    std::shared_ptr<CalCalendar> calendarWithUID(const QString& uid) override;
    EventList events(const QDateTime& start, const QDateTime& end, const CalendarList& calendars) override;
    EventList events(const QDateTime& start, const QDateTime& end, const QString& uid,
                     const CalendarList& calendars) override;
    qsizetype seriesCount(const QString& calendarUid) override;
    EventList seriesRecords(const QString& calendarUid) override;
    std::optional<QByteArray> seriesText(const QString& uid) override;
    void takeInExternalChanges() override;
    ImportResult importCalendarText(const QString& calendarUid, const QByteArray& text) override;
    [[nodiscard]] std::optional<StoreError> saveEvent(const CalEvent& event, CalSpan span) override;
    [[nodiscard]] std::optional<StoreError> removeEvent(const CalEvent& event, CalSpan span) override;
    [[nodiscard]] std::optional<StoreError> saveCalendar(const CalCalendar& calendar) override;
    [[nodiscard]] std::optional<StoreError> removeCalendar(const CalCalendar& calendar) override;

private:
    // The open tree, opened now if it was closed; each use puts off closing it.
    VdirCalendarStore& store();
    void close();
    void watchFolders();
    void onDirectoriesChanged();

    QString m_root;
    std::unique_ptr<VdirCalendarStore> m_store;
    DirectoryWatcher m_watcher;
    QTimer m_closeTimer;
};
