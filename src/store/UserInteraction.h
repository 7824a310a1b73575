#pragma once

#include "StoreError.h"
#include "records/CalSpan.h"

#include <QString>

#include <optional>

// What the calendar data loop shows the user and asks. Every call is modal: it returns when the user has
// answered or dismissed it.
class UserInteraction {
public:
    enum class EditConflictAnswer { KeepMine, TakeTheirs, Cancel };

    virtual ~UserInteraction() = default;

    // The standard alert for a failure of the store: its description and recovery suggestion.
    virtual void showStoreError(const StoreError& error) = 0;
    // A warning alert: a message with details below it.
    virtual void showWarning(const QString& message, const QString& informativeText) = 0;
    // An alert with a title, a text and the single button "OK".
    virtual void showNotice(const QString& title, const QString& text) = 0;
    // Which occurrences of a recurring event a change applies to, with the buttons "Only this occurrence"
    // (the default: ThisEvent), "Cancel" (none) and "All future occurrences" (FutureEvents).
    virtual std::optional<CalSpan> askForSpan(const QString& title, const QString& message) = 0;
    // Whether an edit overwrites another program's change of the same event, with the buttons "Keep My
    // Version", "Take Theirs" and "Cancel" (the default).
    virtual EditConflictAnswer askKeepMineOrTheirs(const QString& title, const QString& message) = 0;
    // Whether to go on with something that overwrites another program's change: a warning with the buttons
    // `overwriteButton` and "Cancel" (the default).
    virtual bool askToOverwrite(const QString& message, const QString& overwriteButton) = 0;
};
