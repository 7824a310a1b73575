#pragma once

#include <QString>

// A failure of the calendar store, for the user: what happened and what to do about it.
struct StoreError {
    enum Code {
        ReadOnly = 1,      // the calendar cannot be changed
        WriteFailed = 2,   // the file system refused (full disk, permissions)
        ChangedOnDisk = 3, // another program changed the file since it was read
        NotFound = 4,      // no such event, occurrence or calendar
        Unexpected = 5,    // an internal failure
        InvalidRecord = 6, // the record cannot be stored as it is
    };

    static inline const QString DOMAIN_NAME = QStringLiteral("com.pellowick.verdalune.ErrorDomain");

    QString domain = DOMAIN_NAME;
    int code = Unexpected;
    QString description;
    QString recoverySuggestion;
};
