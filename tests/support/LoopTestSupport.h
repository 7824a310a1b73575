#pragma once

#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/CalendarStoreController.h"
#include "store/NonInteractiveUserInteraction.h"
#include "store/vdir/VdirCalendarStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

// The store with every event save and removal written down ("save standup 2"), and a failure to inject
// where the file system offers none.
class ObservedStore : public VdirCalendarStore {
public:
    using VdirCalendarStore::events;
    using VdirCalendarStore::VdirCalendarStore;

    std::optional<StoreError> saveEvent(const CalEvent& event, CalSpan span) override {
        calls.append(u"save %1 %2"_s.arg(event.uid).arg(int(span)));
        return VdirCalendarStore::saveEvent(event, span);
    }
    std::optional<StoreError> removeEvent(const CalEvent& event, CalSpan span) override {
        calls.append(u"remove %1 %2"_s.arg(event.uid).arg(int(span)));
        return VdirCalendarStore::removeEvent(event, span);
    }
    std::optional<StoreError> saveCalendar(const CalCalendar& calendar) override {
        if (throwing)
            throw std::runtime_error("injected");
        return VdirCalendarStore::saveCalendar(calendar);
    }
    EventList events(const QDateTime& start, const QDateTime& end, const QString& uid,
                     const CalendarList& calendars) override {
        if (throwing)
            throw std::runtime_error("injected");
        return VdirCalendarStore::events(start, end, uid, calendars);
    }

    QStringList calls;
    bool throwing = false;
};

// The whole data loop over a calendar folder of its own: the store, its controller with the change
// applier, the model and the calendar controller; the user defaults in a file of their own. Given another
// settings file and calendar folder, the loop over those, as the program started again on them.
struct Loop {
    explicit Loop(const QString& defaultsFile = QString(), const QString& rootPath = QString())
        : store(rootPath.isEmpty() ? root.path() : rootPath),
          defaults(defaultsFile.isEmpty() ? settings.filePath(u"verdalune.conf"_s) : defaultsFile) {}

    // The first range request loads the calendars and the window around now.
    void load() { controller.setNeedsRangeStartDate(now(), now()); }
    static QDateTime now() { return QDateTime::currentDateTimeUtc(); }
    // Lets the undo manager close the group of the last user action.
    static void nextPass() { QCoreApplication::processEvents(); }

    EventList stored(const QString& uid) {
        return store.events(now().addDays(-400), now().addDays(400), uid, store.calendars());
    }
    EventList modelled(const QString& uid) const { return model.eventsWithUid(uid); }
    // A change by another program: the store only tells what changed.
    void changeExternally(const std::function<void()>& change, const StoreChanges& changes) {
        {
            const QSignalBlocker quiet(store);
            change();
        }
        emit store.eventsChangedExternally(changes);
    }

    // Before loading: a calendar, marked as kept in step by another program when `calDav`.
    void makeCalendar(const QString& uid, bool calDav = false) {
        if (calDav)
            writeMarker(uid, u"type"_s, "caldav\n");
        auto calendar = CalCalendar::calendar();
        calendar->uid = uid;
        calendar->title = uid;
        if (store.saveCalendar(*calendar))
            throw std::runtime_error("cannot create calendar");
    }
    // Marked read-only on disk, without an announcement.
    void makeReadOnly(const QString& calendarUid) {
        writeMarker(calendarUid, u"readonly"_s, "");
        const QSignalBlocker quiet(store);
        if (store.saveCalendar(*store.calendarWithUID(calendarUid)))
            throw std::runtime_error("cannot reread calendar");
    }
    // An hour from 10:00 UTC, `days` after tomorrow, titled `title` or its uid; `count`: a daily series.
    // The event as saved.
    std::shared_ptr<CalEvent> makeEvent(const QString& calendarUid, const QString& uid, int days = 0,
                                        int count = 0, const QString& title = QString()) {
        auto event = CalEvent::event();
        event->uid = uid;
        event->title = title.isEmpty() ? uid : title;
        event->calendar = store.calendarWithUID(calendarUid);
        event->startDate = QDateTime(QDate::currentDate().addDays(1 + days), QTime(10, 0), Qt::UTC);
        event->endDate = event->startDate.addSecs(3600);
        if (count > 0) {
            event->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
            event->recurrenceRule->recurrenceEnd = CalRecurrenceEnd{false, QDateTime(), count};
        }
        if (store.saveEvent(*event, CalSpan::AllEvents))
            throw std::runtime_error("cannot create event");
        return event;
    }
    // The file of an event whose file is named after its uid, as it is on disk.
    QByteArray file(const QString& calendarUid, const QString& uid) const {
        QFile in(QDir(root.path()).filePath(calendarUid + u'/' + uid + u".ics"_s));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // Another program's version of the event, retitled, written as a sync writes it: a new file renamed
    // over the old one. The text written; nothing when it could not be.
    QByteArray rewriteAsSync(const QString& calendarUid, const QString& uid, const QString& newTitle) const {
        QByteArray text = file(calendarUid, uid);
        if (!text.contains("SUMMARY:"))
            return {};
        const qsizetype summary = text.indexOf("SUMMARY:") + 8;
        text.replace(summary, text.indexOf("\r\n", summary) - summary, newTitle.toUtf8());
        const QString incoming = root.filePath(u"incoming.tmp"_s);
        QFile out(incoming);
        const QString path = QDir(root.path()).filePath(calendarUid + u'/' + uid + u".ics"_s);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.flush() ||
            std::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(path).constData()) != 0)
            return {};
        return text;
    }
    void writeMarker(const QString& calendarUid, const QString& name, const QByteArray& text) {
        QDir(root.path()).mkpath(calendarUid);
        QFile file(QDir(root.path()).filePath(calendarUid + u'/' + name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            throw std::runtime_error("cannot write marker");
    }

    QTemporaryDir root;
    QTemporaryDir settings;
    ObservedStore store;
    NonInteractiveUserInteraction interaction;
    UndoManager undo;
    UserDefaults defaults;
    ApplicationModel model;
    CalendarStoreController storeController{store, interaction};
    CalendarController controller{model, storeController, undo, defaults};
};
