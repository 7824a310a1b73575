#pragma once

#include <QString>

#include <stdexcept>

// Raised when an internal invariant breaks: a programming error, never a reaction to what a user typed
// or what a file holds. Store change processing catches it and tells the user; elsewhere it ends the
// current operation. The check is never compiled out.
class InternalInconsistency : public std::logic_error {
public:
    explicit InternalInconsistency(const QString& text) : std::logic_error(text.toStdString()) {}
};

#define VL_ASSERT(condition, text)                                                                           \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            throw InternalInconsistency(text);                                                               \
    } while (0)
