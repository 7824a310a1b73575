#pragma once

#include "records/CalEvent.h"

#include <QObject>
#include <QString>

#include <memory>

class ApplicationModel;
class CalendarStoreController;
class UndoManager;
class QWidget;

// File > Import…: an iCalendar file (also one saved from a mail) into a calendar the user picks.
class ImportController : public QObject {
    Q_OBJECT
public:
    ImportController(ApplicationModel& model, CalendarStoreController& storeController,
                     UndoManager& undoManager, QObject* parent = nullptr);

    // Asks for the file and the calendar, imports, and tells the user what came of it.
    void run(QWidget* window);
    // What the user is told after importing `path` into the calendar `calendarUid`; `ok` says whether
    // anything was imported. An import is undone as one action, "Import".
    QString importFile(const QString& path, const QString& calendarUid, bool& ok);

signals:
    // After an import that wrote events: a record of the first of them, for the window to show.
    void didImport(const std::shared_ptr<CalEvent>& first);

private:
    void registerUndo(const QString& calendarUid, const QByteArray& text, const QStringList& uids);
    int programAlarmCount(const QStringList& uids);

    ApplicationModel& m_model;
    CalendarStoreController& m_storeController;
    UndoManager& m_undoManager;
};
