#pragma once

#include <QMetaType>
#include <QString>

#include <memory>

// An error as the user is shown it: where it comes from, its code, what went wrong and what it means for
// them, and the lower-level error that caused it, if any.
struct ErrorReport {
    QString domain;
    long code = 0;
    QString description;
    QString recoverySuggestion;
    std::shared_ptr<ErrorReport> underlying;
};

Q_DECLARE_METATYPE(ErrorReport)
