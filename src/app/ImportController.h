#pragma once

#include <QObject>
#include <QString>

class ApplicationModel;
class VdirCalendarStore;
class QWidget;

// File > Import…: an iCalendar file (also one saved from a mail) into a calendar the user picks.
class ImportController : public QObject {
    Q_OBJECT
public:
    ImportController(ApplicationModel& model, VdirCalendarStore& store, QObject* parent = nullptr);

    // Asks for the file and the calendar, imports, and tells the user what came of it.
    void run(QWidget* window);
    // What the user is told after importing `path` into the calendar `calendarUid`; `ok` says whether
    // anything was imported.
    QString importFile(const QString& path, const QString& calendarUid, bool& ok);

private:
    ApplicationModel& m_model;
    VdirCalendarStore& m_store;
};
