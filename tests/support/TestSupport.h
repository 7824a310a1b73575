#pragma once

#include "base/InternalInconsistency.h"
#include "dates/CalendarDate.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <ostream>
#include <string>

// Readable Qt values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QDateTime& moment, std::ostream* out) {
    *out << moment.toString(Qt::ISODate).toStdString();
}

// A local date and time in the default time zone.
inline CalendarDate at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return CalendarDate::fromComponents(year, month, day, hour, minute, second);
}

// The text of the InternalInconsistency that `action` throws, or "<no failure>".
inline std::string failureText(const std::function<void()>& action) {
    try {
        action();
    } catch (const InternalInconsistency& failure) {
        return failure.what();
    }
    return "<no failure>";
}
