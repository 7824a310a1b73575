#pragma once

#include "records/CalEvent.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class ApplicationModel;
class CalendarStoreController;
class UndoManager;
class QWidget;

// File > Import…: iCalendar files (also ones saved from a mail, or opened with the program) into a
// calendar the user picks.
class ImportController : public QObject {
    Q_OBJECT
public:
    ImportController(ApplicationModel& model, CalendarStoreController& storeController,
                     UndoManager& undoManager, QObject* parent = nullptr);

    // Asks for the files and the calendar, imports, and tells the user what came of it.
    void run(QWidget* window);
    // The same for `paths` once they are chosen, with the paths that cannot be imported told first.
    // Starts from the event loop, once the caller has returned (a caller over the bus gets its answer
    // before the dialogs open); paths that come while the dialogs are open wait for them to close.
    void importFiles(QWidget* window, const QStringList& paths);
    // What the user is told after importing `path` into the calendar `calendarUid`; `ok` says whether
    // anything was imported. An import is undone as one action, "Import".
    QString importFile(const QString& path, const QString& calendarUid, bool& ok);

signals:
    // After an import that wrote events: a record of the first of them, for the window to show.
    void didImport(const std::shared_ptr<CalEvent>& first);

private:
    struct Request {
        QPointer<QWidget> window;
        QStringList paths;
    };

    void importPending();
    void importNow(QWidget* window, const QStringList& paths);
    QString chooseCalendar(QWidget* window, const QStringList& paths);
    void registerUndo(const QString& calendarUid, const QByteArray& text, const QStringList& uids);
    int programAlarmCount(const QStringList& uids);

    ApplicationModel& m_model;
    CalendarStoreController& m_storeController;
    UndoManager& m_undoManager;
    QList<Request> m_pending;
    bool m_importing = false;
};
