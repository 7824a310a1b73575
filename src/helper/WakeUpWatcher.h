#pragma once

#include <QObject>

// Tells when the machine wakes from sleep, from the login manager on the system bus. Timers stand still
// while the machine sleeps, so whatever waits for a moment of the wall clock must look again then.
// Without a system bus or login manager it never signals.
class WakeUpWatcher : public QObject {
    Q_OBJECT
public:
    explicit WakeUpWatcher(QObject* parent = nullptr);

signals:
    void wokeUp();

private slots:
    void onPrepareForSleep(bool sleeping);
};
