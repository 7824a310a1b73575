#pragma once

#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/CalendarStoreController.h"
#include "store/NonInteractiveUserInteraction.h"
#include "store/vdir/VdirCalendarStore.h"

#include <QSet>

#include <cstdio>
#include <memory>

// The calendar store and the data loop above it, as one command of verdalune-cli uses them: nothing asks
// the user anything, alerts are kept so that the command can report them.
class StoreSession {
public:
    // Nothing, with a message in `error`, when the calendar folder cannot be prepared. What the store says
    // while it reads the calendars (a file's parts it skipped, a uid that two files hold) is written to
    // `warnings`, once each, unless it is null.
    static std::unique_ptr<StoreSession> open(QString& error, std::FILE* warnings);
    ~StoreSession();

    VdirCalendarStore& store() { return *m_store; }
    CalendarController& calendarController() { return *m_calendarController; }
    ApplicationModel& model() { return m_model; }
    UserDefaults& defaults() { return m_defaults; }
    // The description of the first alert shown since the session opened, if any.
    std::optional<QString> firstAlert() const;

private:
    StoreSession();
    void warn(const QString& line);

    UserDefaults m_defaults;
    UndoManager m_undoManager;
    ApplicationModel m_model;
    NonInteractiveUserInteraction m_interaction;
    std::unique_ptr<VdirCalendarStore> m_store;
    std::unique_ptr<CalendarStoreController> m_storeController;
    std::unique_ptr<CalendarController> m_calendarController;
    std::FILE* m_warnings = nullptr; // only while the store reads the calendars
    QSet<QString> m_warned;
};
