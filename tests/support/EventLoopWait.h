#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

// Runs the event loop until `done` holds or `ms` pass; whether it holds.
inline bool waitFor(const std::function<bool()>& done, int ms = 10000) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Runs the event loop for `ms`, for what must not happen meanwhile.
inline void spin(int ms) {
    waitFor([] { return false; }, ms);
}
